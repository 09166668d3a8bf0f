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

# Builds the .deb twice from clones of HEAD, in two unlike environments, and compares the bytes.
repro-check: deps
	scripts/check-repro

# The Windows program, its portable .zip and its installer, in build/windows. The first run also
# builds Qt for Windows, about half an hour; later runs find it in its cache.
windows:
	scripts/install-deps windows
	scripts/build-windows-qt
	cmake --preset windows
	cmake --build --preset windows

# The logic's tests, a whole game and the installer, under Wine.
test-windows: windows
	ctest --preset windows

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
