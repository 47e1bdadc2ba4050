# Datilux: the two commands of the README, the Debian package, the team's checks (format, lint,
# sanitize), the benchmarks and the fuzzers.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
# Warnings as errors: off for a newcomer's build, on in CI (`DATILUX_WERROR=ON make test`).
DATILUX_WERROR ?= OFF

CMAKE_OPCOES = -G Ninja -DDATILUX_WERROR=$(DATILUX_WERROR)
CLANG_FORMAT ?= $(shell command -v clang-format-14 || command -v clang-format)
CLANG_TIDY ?= $(shell command -v clang-tidy-14 || command -v clang-tidy)
RUN_CLANG_TIDY ?= $(shell command -v run-clang-tidy-14 || command -v run-clang-tidy)
# The C++ files of the tree, as git knows them (new files count once they are added).
FONTES = $(shell git ls-files '*.cpp' '*.h' | grep -E '^(src|tests|bench)/')

# The sanitizers' settings for every test program, for the real program the display tests start and for
# the icon tool the build runs:
# UBSan stops at its first finding, LSan skips the leaks listed (with why) in cmake/lsan.supp.
SANITIZE_AMBIENTE = ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/cmake/lsan.supp:print_suppressions=0

.PHONY: all deps configure build programa test run package bench fuzz format lint lint-format lint-tidy sanitize clean

all: build

deps:
	@scripts/install-deps

# Configured each time (a few seconds when nothing changed), so that DATILUX_WERROR always takes effect.
configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_OPCOES)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# What `make run` needs: the program and the sound module it loads, not the tests or the icon tool.
programa: configure
	cmake --build $(BUILD) -j $(JOBS) --target datilux datilux_som

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

run: programa
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

# Rewrites every C++ file of src, tests and bench in the house style (.clang-format).
format: deps
	$(CLANG_FORMAT) -i --style=file $(FONTES)

lint: lint-format lint-tidy

lint-format: deps
	$(CLANG_FORMAT) --dry-run -Werror --style=file $(FONTES)

# clang-tidy over the program's and the tests' C++ files in the build's compile database (the benchmarks
# are measuring tools, left out), minus the precompiled header: clang cannot read GCC's, and without it a
# file that forgets an include fails here instead of compiling by luck.
lint-tidy: build
	mkdir -p $(BUILD)-lint
	sed -e 's# -Winvalid-pch##g' -e 's# -include [^ ]*/cmake_pch\.hxx##g' \
		$(BUILD)/compile_commands.json > $(BUILD)-lint/compile_commands.json
	$(RUN_CLANG_TIDY) -clang-tidy-binary $(CLANG_TIDY) -p $(BUILD)-lint -j $(JOBS) -quiet \
		'^$(CURDIR)/(src|tests)/.*\.cpp$$'

# A Debug build with AddressSanitizer and UndefinedBehaviorSanitizer running the whole test suite.
sanitize: deps
	cmake -S . -B $(BUILD)-sanitize $(CMAKE_OPCOES) -DCMAKE_BUILD_TYPE=Debug -DDATILUX_SANITIZE=ON
	$(SANITIZE_AMBIENTE) cmake --build $(BUILD)-sanitize -j $(JOBS)
	cd $(BUILD)-sanitize && $(SANITIZE_AMBIENTE) ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(BUILD)-fuzz $(BUILD)-lint $(BUILD)-sanitize $(BUILD)-pacote
