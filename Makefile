# The commands the README gives. Each one installs what is missing first.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
SOAK_DIR ?= build-soak
SOAK_COMMANDS ?= 100000
SOAK_SEED ?= 1

.PHONY: deps configure build test bench run format fuzz soak package

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure

bench: build
	@bash bench/run.sh $(BUILD_DIR)

# The Debian package velta_<version>_amd64.deb in the build folder, made with CPack.
package: build
	cd $(BUILD_DIR) && cpack -G DEB

run: build
	cd $(BUILD_DIR)/VELTA && ./velta

# libFuzzer on every file reader, each for FUZZ_SECONDS; found inputs join fuzz/corpus.
fuzz:
	@bash scripts/install-deps.sh fuzz
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DVELTA_FUZZ=ON \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS) --target velta_fuzzers
	@bash scripts/fuzz.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

# SOAK_COMMANDS random commands on the board under AddressSanitizer and UBSan.
soak: deps
	@cmake -S . -B $(SOAK_DIR) -DVELTA_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(SOAK_DIR) -j $(JOBS) --target velta-soak
	@bash scripts/soak.sh $(SOAK_DIR) $(SOAK_COMMANDS) $(SOAK_SEED)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i
