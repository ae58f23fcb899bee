# Entry points: `make test` and `make demo` are all a fresh Debian machine needs.
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all setup configure build test demo sanitize bench clean install-check

all: build

setup:
	@scripts/setup.sh

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: setup $(BUILD_DIR)/CMakeCache.txt

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

demo: build
	scripts/demo.sh $(BUILD_DIR)/tools/geoproj/geoproj

sanitize: setup
	cmake -S . -B $(SANITIZE_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DGEOPROJ_SANITIZE=ON -DGEOPROJ_BUILD_BENCH=OFF
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir $(SANITIZE_DIR) --output-on-failure -j $(JOBS)

bench: build
	$(BUILD_DIR)/bench/geoproj_bench

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)

install-check: setup
	scripts/check-install.sh
