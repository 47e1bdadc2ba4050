# Datilux: the two commands of the README, plus the benchmarks and the fuzzers.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build test run bench fuzz clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja: CMakeLists.txt | deps
	cmake -S . -B $(BUILD) -G Ninja

configure: deps
	cmake -S . -B $(BUILD) -G Ninja

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

run: build
	$(BUILD)/bin/datilux

bench: build
	cmake --build $(BUILD) --target benchmarks -j $(JOBS)
	cmake --build $(BUILD) --target run_benchmarks

fuzz: deps
	cmake -S . -B $(BUILD)-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DDATILUX_FUZZ=ON
	cmake --build $(BUILD)-fuzz --target fuzzers -j $(JOBS)
	cmake --build $(BUILD)-fuzz --target run_fuzzers

clean:
	rm -rf $(BUILD) $(BUILD)-fuzz
