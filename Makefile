# Entry points: `make run` builds and starts the game, `make test` builds and
# runs every test. Both install missing Debian packages first.
BUILD_DIR ?= build
ASAN_DIR ?= build-sanitize
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: all setup configure build run test test-sanitize bench restore-data clean

all: build

setup:
	@tools/setup/install-packages.sh

$(BUILD_DIR)/build.ninja:
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

configure: setup $(BUILD_DIR)/build.ninja

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -x $(BUILD_DIR)/game/velmora-mahjongg ]; then \
	  cd $(BUILD_DIR)/game && ./velmora-mahjongg; \
	else \
	  echo "Built the tools and the data in $(BUILD_DIR)/game; the game program itself is not written yet, so there is nothing to start."; \
	fi

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: setup
	@test -f $(ASAN_DIR)/build.ninja || cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON -DVELMORA_BENCHMARKS=OFF
	@cmake --build $(ASAN_DIR) -j $(JOBS)
	@cd $(ASAN_DIR) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD_DIR)/bench/bench_*; do echo "== $$b"; $$b --benchmark_min_time=0.2; done

# Puts options, game choice, help flags and layout records back to their
# pristine state and empties Saves.
restore-data: build
	@cmake --build $(BUILD_DIR) --target restore_data

clean:
	@rm -rf $(BUILD_DIR) $(ASAN_DIR)
