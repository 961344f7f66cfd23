# SPDX-License-Identifier: MIT
# Tintaro: the two commands a newcomer needs are `make run` and `make test`.
# Each target first installs the Debian packages it needs (scripts/setup.sh).
BUILD ?= build
JOBS ?= 2
FUZZ_SECONDS ?= 60
# `make run` builds the program alone (Release: optimised, without debug
# information, which costs a quarter more compile time); `make test` adds the tests to
# the same build with the same compile flags, so it compiles no file of the
# program again. Warnings become errors where WERROR=ON is asked for (CI does).
WERROR ?= OFF
TESTS ?= OFF
SANITIZE ?= OFF

.PHONY: build run test package bench fuzz sanitize coverage format clean

build:
	./scripts/setup.sh run
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTINTARO_BUILD_BENCH=OFF \
		-DTINTARO_BUILD_TESTS=$(TESTS) -DTINTARO_WERROR=$(WERROR)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/app/tintaro

test:
	./scripts/setup.sh test
	$(MAKE) --no-print-directory build TESTS=ON
	./scripts/check-format.sh
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The Debian package $(BUILD)/tintaro_<version>_<arch>.deb (CPack).
package: build
	./scripts/setup.sh package
	cmake --build $(BUILD) --target package

# Every benchmark, in a Release build of its own (build-bench/); see bench/README.md.
bench:
	./scripts/setup.sh bench
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTINTARO_BUILD_BENCH=ON -DTINTARO_BUILD_TESTS=OFF
	cmake --build build-bench -j $(JOBS)
	build-bench/bench/bench_memory_file
	build-bench/bench/bench_chain
	build-bench/bench/bench_css_colour
	build-bench/bench/bench_css_colour --full-cube
	xvfb-run -a build-bench/bench/bench_pick
	python3 bench/startup.py --build build-bench

# Each fuzz target for FUZZ_SECONDS seconds (clang's libFuzzer).
fuzz:
	./scripts/setup.sh fuzz
	./scripts/fuzz.sh $(FUZZ_SECONDS)

# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize:
	./scripts/setup.sh sanitize
	JOBS=$(JOBS) ./scripts/sanitize.sh

# Line and branch coverage of the program's code by the whole test suite, in
# build-coverage/coverage/ (HTML and text); fails below the floors in
# scripts/coverage-floor.txt.
# With SANITIZE=ON, under the sanitizers too (what CI runs).
coverage:
	./scripts/setup.sh coverage
	JOBS=$(JOBS) SANITIZE=$(SANITIZE) ./scripts/coverage.sh

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) build-bench build-asan build-fuzz build-coverage build-asan-coverage
