# The two commands a new machine needs: `make run` and `make test`.
BUILD      ?= build
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 30
JOBS       ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
PREFIX     ?= /usr/local

LAUNCHER := $(if $(shell command -v ccache 2>/dev/null),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache,)

.PHONY: all deps configure build run test test-slow bench bench-large install package fuzz clean

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(LAUNCHER) $(CMAKE_FLAGS)

configure: $(BUILD)/build.ninja

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/corvane

# Tests labelled "slow" (long randomised runs) only with `make test-slow`.
test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) -LE slow

test-slow: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -L slow

bench: build
	./$(BUILD)/xbase_bench

# The everyday jobs on a million-record address file, each in a fresh process. The file and the
# rows to append are made on the first run and kept in $(BUILD)/bench-large (delete it to remake).
bench-large: deps configure
	cmake --build $(BUILD) -j $(JOBS) --target corvane-cli large_bench
	./$(BUILD)/large_bench --dir $(BUILD)/bench-large --cli $(BUILD)/corvane-cli

# The programs in PREFIX/bin, the shipped files in PREFIX/share/corvane, the desktop entry and the
# icon in PREFIX/share/applications and PREFIX/share/icons (use sudo for a system prefix).
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A .deb in $(BUILD) (installs under /usr; its dependencies: scripts/runtime-packages.txt).
package: build
	cd $(BUILD) && cpack -G DEB

# Builds every libFuzzer target with clang (ASan + UBSan) and runs each for FUZZ_SECONDS.
fuzz: deps
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja $(LAUNCHER) -DCORVANE_FUZZ=ON \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer"
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@set -e; for target in $(FUZZ_BUILD)/fuzz_*; do \
	  [ -x "$$target" ] || continue; \
	  name=$$(basename $$target); mkdir -p $(FUZZ_BUILD)/corpus/$$name; \
	  echo "== $$name ($(FUZZ_SECONDS) s)"; \
	  seeds=fuzz/seeds/$$name; [ -d $$seeds ] || seeds=; \
	  $$target -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 -timeout=10 \
	    $(FUZZ_BUILD)/corpus/$$name $$seeds; \
	done

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD)
