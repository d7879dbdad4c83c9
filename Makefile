# Entry points: make run, make test, make bench, make fuzz, make install, make release, make deb.
# Each installs only the Debian packages its own work needs (scripts/install-deps.sh SET).
JOBS ?= $(shell nproc)
CTEST_FLAGS ?= --output-on-failure

.PHONY: all deps configure build release run test test-asan bench fuzz install deb test-deb clean translations web

# A first configuration for the game alone leaves out what it does not need
# (the tests, the benchmarks, the score server); a later make test turns them on.
GAME_ONLY = $(if $(wildcard build/CMakeCache.txt),,-DTAVRIN_BUILD_TESTS=OFF -DTAVRIN_BUILD_BENCH=OFF -DTAVRIN_BUILD_SERVER=OFF)
GAME_TARGETS = tavrin tavrin_collection tavrin_translations

all: build

# Every package of every set.
deps:
	./scripts/install-deps.sh

configure:
	./scripts/install-deps.sh run
	cmake --preset debug $(GAME_ONLY)

# Every target of the debug build: the game, the tests, the benchmarks.
build:
	./scripts/install-deps.sh bench
	cmake --preset debug -DTAVRIN_BUILD_TESTS=ON -DTAVRIN_BUILD_BENCH=ON -DTAVRIN_BUILD_SERVER=ON
	cmake --build --preset debug -j $(JOBS)

# Every target of the optimised build (what make install and make bench build).
release:
	./scripts/install-deps.sh bench
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

# After adding or changing a text of the window: updates translations/*.ts
# (then translate the new entries, see translations/CMakeLists.txt).
translations: configure
	cmake --build --preset debug --target tavrin_lupdate

# The browser page: a folder of static files in build-wasm/site, with the
# pictures, sounds, help and puzzles of the native build.
web:
	./scripts/install-deps.sh web
	cmake --preset debug $(GAME_ONLY)
	cmake --build --preset debug -j $(JOBS) --target tavrin_assets tavrin_collection tavrin_page_tables_js
	JOBS=$(JOBS) ./scripts/build-web.sh build

run: configure
	cmake --build --preset debug -j $(JOBS) --target $(GAME_TARGETS)
	./build/tavrin $(ARGS)

# The tests need no benchmarks; a build that has them keeps them.
test:
	./scripts/install-deps.sh test
	cmake --preset debug -DTAVRIN_BUILD_TESTS=ON -DTAVRIN_BUILD_SERVER=ON \
		$(if $(wildcard build/CMakeCache.txt),,-DTAVRIN_BUILD_BENCH=OFF)
	cmake --build --preset debug -j $(JOBS)
	./scripts/run-tests.sh build

test-asan:
	./scripts/install-deps.sh asan
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	./scripts/run-tests.sh build-asan

bench:
	./scripts/install-deps.sh bench
	cmake --preset release
	cmake --build --preset release -j $(JOBS) --target tavrin_bench tavrin-scores tavrin_score_load tavrin_record_search
	./build-release/tavrin_bench
	/usr/bin/python3 bench/scoreserver/score_server_load.py build-release
	JOBS=$(JOBS) ./scripts/build-web.sh build-release tavrin_site_test
	/usr/bin/python3 bench/web/web_bench.py build-wasm/site build-wasm/site-test

fuzz:
	./scripts/install-deps.sh fuzz
	./scripts/run-fuzz.sh

install: release
	cmake --install build-release $(if $(PREFIX),--prefix $(PREFIX),)

# The Debian packages tavrin, tavrin-scores and tavrin-web, into build-deb/.
deb:
	./scripts/install-deps.sh deb
	JOBS=$(JOBS) ./scripts/build-deb.sh

# Installs the packages on this machine, checks them and purges them again
# (for disposable machines: CI runs it after make test).
test-deb: deb
	/usr/bin/python3 tests/package/deb_test.py build-deb

clean:
	rm -rf build build-release build-asan build-fuzz build-deb build-wasm build-wasm-cli
