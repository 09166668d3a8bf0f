# The two commands a new machine needs are `make run` and `make test`; both install what is missing.
.PHONY: deps run test test-asan bench package repro-check format format-check clean windows test-windows

EXE := zumo-or-no-zumo

deps:
	@scripts/install-deps

run: deps
	cmake --preset release
	cmake --build --preset release
	./build/release/bin/$(EXE)

test: deps
	cmake --preset debug
	cmake --build --preset debug
	ctest --preset debug

test-asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

# One table, every figure against a floor measured in the same run, on a private X server.
bench: deps
	cmake --preset release
	cmake --build --preset release
	xvfb-run -a -s "-screen 0 1280x1024x24" ./build/release/bin/bench_game

# Builds the release .deb and checks it: files, validators, hardening, Depends, lintian.
package: deps
	cmake --preset release
	scripts/check-deb build/release

# Qt for Windows is Qt 6.8, built with Debian 13's MinGW-w64 and Qt host tools and tested under
# its Wine (scripts/build-windows-qt says why). On Debian 12 the Windows targets run in the Debian 13
# root that scripts/in-debian-13 keeps.
IN_DEBIAN_13 := $(shell . /etc/os-release && [ "$$VERSION_CODENAME" = bookworm ] && echo yes)

# Builds the .deb twice from clones of HEAD, in two unlike environments, and compares the bytes;
# where Qt for Windows is built, the Windows files too.
repro-check: deps
	scripts/check-repro
ifdef IN_DEBIAN_13
	scripts/in-debian-13 scripts/check-repro --windows
endif

ifdef IN_DEBIAN_13
# The program, .zip and installer are copied back to this checkout's build/windows.
windows test-windows:
	scripts/in-debian-13 --out 'build/windows/*.exe' --out 'build/windows/*.zip' make $@
else
# The Windows program, its portable .zip and its installer, in build/windows. The first run also
# builds Qt for Windows, about 40 minutes; later runs find it in its cache.
windows:
	scripts/install-deps windows
	scripts/build-windows-qt
	cmake --preset windows
	cmake --build --preset windows

# The logic's tests, a whole game that a screen reader listens to, and the installer, under Wine.
test-windows: windows
	ctest --preset windows
endif

# The sources git knows; an empty list (no git, or not a checkout) stops the target rather than
# pass it. Debian 12's clang-format is 14 and Debian 13's 19, with no version on both: the code is
# written so that both leave it as it is.
SOURCES = files=$$(git ls-files '*.cpp' '*.h') && [ -n "$$files" ]

format:
	@$(SOURCES) && clang-format -i $$files

format-check:
	@$(SOURCES) && clang-format --version && clang-format --dry-run -Werror $$files

clean:
	rm -rf build
