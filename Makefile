# Entry points: `make test` and `make demo` are all a fresh Debian machine needs.
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all setup configure build test demo sanitize fuzz bench clean install-check

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

# Each libFuzzer target for FUZZ_SECONDS on a copy of its corpus (clang only; FUZZ_MERGE=1 keeps
# small new inputs in fuzz/corpus).
fuzz:
	scripts/setup.sh fuzz
	CXX=clang++ cmake -S . -B $(FUZZ_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGEOPROJ_FUZZ=ON \
	  -DGEOPROJ_BUILD_TESTS=OFF -DGEOPROJ_BUILD_TOOL=OFF -DGEOPROJ_BUILD_BENCH=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	scripts/fuzz.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

# BENCH_SCALE=0.1 runs the project-scale figures on a tenth of the full sizes.
BENCH_SCALE ?= 1
bench: build
	$(BUILD_DIR)/bench/geoproj_bench
	bench/project_bench.sh $(BUILD_DIR)/tools/geoproj/geoproj $(BUILD_DIR)/bench $(BENCH_SCALE)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR)

install-check: setup
	scripts/check-install.sh
