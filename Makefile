# The whole set-up: `make run` to play, `make test` to build and run every test.
BUILD       ?= build
ASAN_BUILD  ?= build-asan
BENCH_BUILD ?= build-bench
JOBS        ?= $(shell nproc)
CMAKE_FLAGS ?=
GENERATOR   ?= Ninja
# A build folder keeps the generator it was first made with.
generator    = $(if $(wildcard $(1)/CMakeCache.txt),,-G "$(GENERATOR)")

.PHONY: all deps build game run test asan bench soak install package screenshots check-fresh clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

# The game alone: playing needs none of the tests.
game: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target pebblerun

run: game
	$(BUILD)/src/pebblerun

test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

asan: deps
	cmake -S . -B $(ASAN_BUILD) $(call generator,$(ASAN_BUILD)) -DCMAKE_BUILD_TYPE=Debug -DPEBBLERUN_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	    ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BENCH_BUILD) $(call generator,$(BENCH_BUILD)) -DCMAKE_BUILD_TYPE=Release -DPEBBLERUN_BENCHMARKS=ON $(CMAKE_FLAGS)
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	QT_QPA_PLATFORM=offscreen $(BENCH_BUILD)/bench/pebblerun_bench
	scripts/measure-process.sh $(BENCH_BUILD)

soak: build
	QT_QPA_PLATFORM=offscreen PEBBLERUN_SOAK=1 QTEST_FUNCTION_TIMEOUT=86400000 \
	    $(BUILD)/tests/tst_randomplay -nocrashhandler -maxwarnings 0
	$(BUILD)/tests/xserver/newgameburst $(BUILD)/src/pebblerun 10000

install: build
	cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

package: build
	cd $(BUILD) && cpack -G DEB
	dpkg-deb --info $(BUILD)/pebblerun_*.deb

screenshots: build
	scripts/screenshots.sh $(BUILD)

# The set-up, tests and package on a bare root of each Debian release named (12, 13 or testing),
# one after the other, stopping at the first that fails.
DEBIAN ?= 12 13
check-fresh:
	@for release in $(DEBIAN); do JOBS=$(JOBS) scripts/check-fresh-machine.sh $$release || exit 1; done

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD)
