# The commands the README gives. Each one installs what is missing first.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: deps configure build test bench run format

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

run: build
	cd $(BUILD_DIR)/VELTA && ./velta

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i
