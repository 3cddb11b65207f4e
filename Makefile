# Entry points: `make run` builds and starts the game, `make test` builds and
# runs every test. Both install missing Debian packages first.
BUILD_DIR ?= build
ASAN_DIR ?= build-sanitize
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
SOAK_FRAMES ?= 1000000
KILLS ?= 3000
DEALS ?= 10000
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local
DEB_DIR ?= build-deb

.PHONY: all setup configure build install uninstall run test test-sanitize test-hostile test-crash fuzz soak soak-window bench layout-shares restore-data deb test-deb clean

all: build

setup:
	@tools/setup/install-packages.sh

$(BUILD_DIR)/build.ninja:
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

configure: setup $(BUILD_DIR)/build.ninja

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# The game, its data, the layout tool, the launcher, the desktop entry and
# the icons below PREFIX; uninstall removes exactly what install put there.
install: build
	@cmake --install $(BUILD_DIR) --prefix $(PREFIX)

uninstall:
	@m=$(BUILD_DIR)/install_manifest.txt; if [ -f $$m ]; then \
	  xargs -d '\n' rm -f < $$m; \
	  sed 's|/[^/]*$$||' $$m | sort -ru | while read -r d; do \
	    while case $$d in *velmora-mahjongg*) rmdir "$$d" 2>/dev/null;; *) false;; esac; do d=$${d%/*}; done; \
	  done; \
	  rm -f $$m; \
	else echo "Nothing was installed from $(BUILD_DIR)."; fi

run: build
	@if [ -x $(BUILD_DIR)/game/velmora-mahjongg ]; then \
	  cd $(BUILD_DIR)/game && ./velmora-mahjongg; \
	else \
	  echo "The game was not built."; exit 1; \
	fi

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: setup
	@test -f $(ASAN_DIR)/build.ninja || cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON -DVELMORA_BENCHMARKS=OFF
	@cmake --build $(ASAN_DIR) -j $(JOBS)
	@cd $(ASAN_DIR) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# The damaged-folder end-to-end cases on every file of the run folder (long).
test-hostile: build
	@cd tests/e2e && VELMORA_HOSTILE_ALL=1 VELMORA_RUN_DIR=$(abspath $(BUILD_DIR))/game /usr/bin/python3 -m unittest -v test_hostile

# The save loop killed KILLS times (make test kills it 300 times).
test-crash: build
	@cd tests/crash && VELMORA_KILLS=$(KILLS) VELMORA_SAVE_LOOP=$(abspath $(BUILD_DIR))/tests/crash/velmora-save-loop \
	  /usr/bin/python3 -m unittest -v test_crash

# SOAK_FRAMES frames on each game screen under a random player, resident
# memory flat from frame 100,000 on (make test plays 4,000 frames a screen).
soak: build
	@for screen in 2 3 4; do \
	  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy VELMORA_RUN_DIR=$(abspath $(BUILD_DIR))/game \
	    $(BUILD_DIR)/tests/soak/velmora-soak $(SOAK_FRAMES) --flat-from 100000 --screens $$screen || exit 1; \
	done

# The real window under Xvfb and openbox: 1,000 F5 switches, 10,000 random
# clicks and keys.
soak-window: build
	@cd tests/e2e && VELMORA_RUN_DIR=$(abspath $(BUILD_DIR))/game /usr/bin/python3 soak_window.py

# Every file reader's libFuzzer target, built with clang and the sanitizers,
# each run for FUZZ_SECONDS, two at a time (tests/fuzz/run-fuzzers.sh).
fuzz: build
	@test -f $(FUZZ_DIR)/build.ninja || CXX=clang++-14 cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DVELMORA_FUZZERS=ON -DVELMORA_LAYOUT_FUZZER=ON -DVELMORA_BENCHMARKS=OFF \
	  "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer"
	@cmake --build $(FUZZ_DIR) -j $(JOBS) --target velmora-fuzzers velmora-layout-fuzz
	@FUZZ_SECONDS=$(FUZZ_SECONDS) tests/fuzz/run-fuzzers.sh $(FUZZ_DIR) $(abspath $(BUILD_DIR))/game

bench: build
	@for b in $(BUILD_DIR)/bench/bench_*; do echo "== $$b"; \
	  VELMORA_RUN_DIR=$(abspath $(BUILD_DIR))/game SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy $$b --benchmark_min_time=0.2; done

# The table of winnable shares in assets/layouts/README.md: every layout
# dealt DEALS times and solved, JOBS at a time (about a minute a layout).
layout-shares: build
	@DEALS=$(DEALS) JOBS=$(JOBS) tools/layout/layout-shares.sh $(BUILD_DIR)/tools/layout/velmora-layout assets/layouts/*.txt

# Puts options, game choice, help flags and layout records back to their
# pristine state and empties Saves.
restore-data: build
	@cmake --build $(BUILD_DIR) --target restore_data

# The Debian packages velmora-mahjongg and velmora-mahjongg-data, built by
# dpkg-buildpackage from a copy of the tree in DEB_DIR/src (it writes the
# packages next to the source folder, so they land in DEB_DIR). The build
# inside uses the caller's compiler cache, which debhelper's own HOME hides.
deb: setup
	@rm -rf $(DEB_DIR)/src $(DEB_DIR)/*.deb $(DEB_DIR)/*.changes $(DEB_DIR)/*.buildinfo
	@mkdir -p $(DEB_DIR)/src
	@tar -c --exclude-vcs --exclude='./build*' --exclude='./$(DEB_DIR)' . | tar -x -C $(DEB_DIR)/src
	@cd $(DEB_DIR)/src && \
	  if command -v ccache >/dev/null; then \
	    export CCACHE_DIR=$$(ccache -k cache_dir) CCACHE_BASEDIR=$$(ccache -k base_dir); fi; \
	  DEB_BUILD_OPTIONS="parallel=$(JOBS) $(DEB_BUILD_OPTIONS)" dpkg-buildpackage -us -uc -b
	@ls -l $(DEB_DIR)/*.deb

# The packages built, checked by lintian (no error, no warning), unpacked
# into a temporary root and played from there under Xvfb with a temporary
# home: the installed-game cases of the end-to-end suite, with every file the
# game writes traced.
test-deb: deb
	@lintian --fail-on error,warning $(DEB_DIR)/*.changes
	@cd tests/e2e && VELMORA_DEB_DIR=$(abspath $(DEB_DIR)) \
	  /usr/bin/python3 -m unittest -v test_install.UnpackedPackage

clean:
	@rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR) $(DEB_DIR)
