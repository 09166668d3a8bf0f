# The Windows build's tests: GoogleTest built for Windows, and each test program run under Wine.

# Debian has GoogleTest for Windows only as its source, which the package googletest ships.
add_subdirectory(/usr/src/googletest/googletest ${CMAKE_CURRENT_BINARY_DIR}/googletest
    EXCLUDE_FROM_ALL SYSTEM)

# CMake puts the emulator before every test command that names a program of this build.
find_program(ZUMO_WINE wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${ZUMO_WINE})

# What every Wine the tests start runs with: no debug chatter, and no offer to download Mono or
# Gecko; winemenubuilder would copy the Start menu that an installer fills into the real desktop's.
set(ZUMO_WINE_ENVIRONMENT WINEDEBUG=-all "WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe=d")

# The logic's programs share one prefix: a new one takes Wine 15 s, a program under it well
# under one. Made before the first of them, killed and removed after the last.
set(logic_prefix ${CMAKE_CURRENT_BINARY_DIR}/wine-logic)
set(prefix_script ${CMAKE_CURRENT_LIST_DIR}/wine-prefix.sh)
add_test(NAME windows.logic_prefix_made COMMAND bash ${prefix_script} make ${logic_prefix})
add_test(NAME windows.logic_prefix_removed COMMAND bash ${prefix_script} remove ${logic_prefix})
set_tests_properties(windows.logic_prefix_made PROPERTIES FIXTURES_SETUP wine_logic
    ENVIRONMENT "${ZUMO_WINE_ENVIRONMENT}")
set_tests_properties(windows.logic_prefix_removed PROPERTIES FIXTURES_CLEANUP wine_logic)

# One test per program, not per case: every case would be a Wine start of its own.
function(zumo_test_under_wine name)
    add_test(NAME windows.${name} COMMAND ${name})
    set_tests_properties(windows.${name} PROPERTIES FIXTURES_REQUIRED wine_logic
        ENVIRONMENT "${ZUMO_WINE_ENVIRONMENT};WINEPREFIX=${logic_prefix}")
endfunction()
