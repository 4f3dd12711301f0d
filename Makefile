# The two commands a newcomer needs: `make run` and `make test`. Both install what is missing.
JOBS ?= 2
BUILD := build
ASAN_BUILD := build-asan
SOURCES := $(shell git ls-files '*.cpp' '*.h' 2>/dev/null)

.PHONY: run test test-asan deps build build-asan format format-check clean

run: build
	./$(BUILD)/vexa-radio

test: build
	cd $(BUILD) && ctest --output-on-failure

# The same tests on a build with AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: build-asan
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure

deps:
	scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVEXA_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)

format:
	clang-format -i $(SOURCES)

format-check: deps
	clang-format --dry-run --Werror $(SOURCES)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
