# The two commands a newcomer needs: `make run` and `make test`. Both install what is missing.
JOBS ?= 2
BUILD := build
ASAN_BUILD := build-asan
SOURCES := $(shell git ls-files '*.cpp' '*.h' 2>/dev/null)

.PHONY: run test test-asan deps build build-asan install bench bench-deps format format-check clean

run: build
	./$(BUILD)/vexa-radio

test: build
	cd $(BUILD) && ctest --output-on-failure

# The same tests on a build with AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: build-asan
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure

# Installs the player, its skin, a menu entry and the `vexa-radio` launcher under PREFIX:
# `make install` for everyone (as root), `make install PREFIX=~/.local` for yourself.
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

deps:
	scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVEXA_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)

# The figures against their targets: the visualisation's, the audio engine's and the whole
# program's, the last two next to mpv's on a loopback station; BENCH_ARGS=--quick for a short
# run. Only the measured programs are built, so that the figures do not wait for the tests.
bench: deps bench-deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS) --target bench_engine bench_frame first_frame vexa-radio
	bench/frame
	bench/engine --engine $(BUILD)/bench/bench_engine $(BENCH_ARGS)
	bench/program $(BENCH_ARGS)

# What only the benchmark needs, kept out of the default list so CI does not install it: a
# stream server, a sound server with its recorder, the player to compare with, and the X
# extension that tells when a frame reaches the display.
bench-deps:
	scripts/install-deps icecast2 pulseaudio pulseaudio-utils mpv libxcb-damage0-dev

format:
	clang-format -i $(SOURCES)

format-check: deps
	clang-format --dry-run --Werror $(SOURCES)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
