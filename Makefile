# The two commands a fresh machine needs: `make run` and `make test`.
BUILD_DIR ?= build
ASAN_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
BENCH_BEFORE ?=

.PHONY: run test program build deps-run deps-test sanitize fuzz bench package package-check clean

deps-run:
	@scripts/install-deps.sh run

deps-test:
	@scripts/install-deps.sh test

# The program and the files it reads, nothing else.
program: deps-run
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPVSTIM_TESTS=OFF -DPVSTIM_BENCH=OFF >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target pvstim pvstim_files

run: program
	@scripts/run.sh $(BUILD_DIR)

# Everything: the program, the tests and the benchmarks.
build: deps-test
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPVSTIM_TESTS=ON -DPVSTIM_BENCH=ON >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# Every test on the normal build, then the unit tests again under AddressSanitizer
# and UndefinedBehaviorSanitizer with leak checking.
test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory sanitize

# -O1 without debug information keeps the second build affordable; the generator
# that runs during the build is checked by the tests, not at build time.
sanitize: deps-test
	@cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="-O1" -DPVSTIM_SANITIZE=ON -DPVSTIM_BENCH=OFF >/dev/null
	@ASAN_OPTIONS=detect_leaks=0 cmake --build $(ASAN_DIR) -j $(JOBS) --target pvstim_tests
	@cd $(ASAN_DIR) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizer/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS) -LE e2e

# Each libFuzzer target for FUZZ_SECONDS seconds (clang build in $(FUZZ_DIR)).
fuzz: deps-test
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DPVSTIM_FUZZ=ON -DPVSTIM_TESTS=OFF -DPVSTIM_BENCH=OFF >/dev/null
	@ASAN_OPTIONS=detect_leaks=0 cmake --build $(FUZZ_DIR) -j $(JOBS) --target pvstim_fuzzers
	@scripts/fuzz.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

# The Debian package build/pvstim_<version>_<arch>.deb.
package: build
	@cd $(BUILD_DIR) && cpack -G DEB

# The package, then lintian over it: any error fails.
package-check: package
	@cd $(BUILD_DIR) && lintian pvstim_*.deb 2>&1 | tee lintian.log && ! grep -q '^E:' lintian.log

# Every benchmark; fails when one fails. BENCH_BEFORE=<an earlier build folder>
# runs each on that build too and gives both figures.
bench: build
	@BENCH_BEFORE=$(BENCH_BEFORE) scripts/bench.sh $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR)
