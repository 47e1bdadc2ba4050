# Datilux: the two commands of the README, plus the Debian package, the benchmarks and the fuzzers.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build test run package bench fuzz clean

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

# The Debian package, from a build tree of its own: installed under /usr, data in /var/lib/datilux,
# Debian's hardening flags, no tests. Gives $(BUILD)-pacote/datilux_<version>_amd64.deb.
package: deps
	CXXFLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	LDFLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	cmake -S . -B $(BUILD)-pacote -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	      -DDATILUX_PASTA_DADOS=/var/lib/datilux -DDATILUX_TESTES=OFF
	cmake --build $(BUILD)-pacote -j $(JOBS)
	cd $(BUILD)-pacote && cpack -G DEB
	@ls -l $(BUILD)-pacote/*.deb

bench: build
	cmake --build $(BUILD) --target benchmarks -j $(JOBS)
	cmake --build $(BUILD) --target run_benchmarks

fuzz: deps
	cmake -S . -B $(BUILD)-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DDATILUX_FUZZ=ON
	cmake --build $(BUILD)-fuzz --target fuzzers -j $(JOBS)
	cmake --build $(BUILD)-fuzz --target run_fuzzers

clean:
	rm -rf $(BUILD) $(BUILD)-fuzz $(BUILD)-pacote
