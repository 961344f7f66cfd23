# SPDX-License-Identifier: MIT
# Tintaro: the two commands a newcomer needs are `make run` and `make test`.
BUILD ?= build
JOBS ?= 2

.PHONY: setup build run test package bench fuzz sanitize format clean

setup:
	./scripts/setup.sh

build: setup
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTINTARO_BUILD_BENCH=ON
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/app/tintaro

test: build
	./scripts/check-format.sh
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The Debian package $(BUILD)/tintaro_<version>_<arch>.deb (CPack).
package: build
	cmake --build $(BUILD) --target package

FUZZ_SECONDS ?= 60

# Each fuzz target for FUZZ_SECONDS seconds (clang's libFuzzer).
fuzz: setup
	./scripts/fuzz.sh $(FUZZ_SECONDS)

# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: setup
	JOBS=$(JOBS) ./scripts/sanitize.sh

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
