# Entry points: make run, make test, make bench, make fuzz, make install, make release, make deb.
JOBS ?= $(shell nproc)
CTEST_FLAGS ?= --output-on-failure

.PHONY: all deps configure build release run test test-asan bench fuzz install deb test-deb clean translations web

all: build

deps:
	./scripts/install-deps.sh

configure: deps
	cmake --preset debug

build: configure
	cmake --build --preset debug -j $(JOBS)

# Every target of the optimised build (what make install and make bench build).
release: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

# After adding or changing a text of the window: updates translations/*.ts
# (then translate the new entries, see translations/CMakeLists.txt).
translations: configure
	cmake --build --preset debug --target tavrin_lupdate

# The browser page: a folder of static files in build-wasm/site, with the
# pictures, sounds, help and puzzles of the native build.
web: configure
	cmake --build --preset debug -j $(JOBS) --target tavrin_assets tavrin_collection tavrin_page_tables_js
	JOBS=$(JOBS) ./scripts/build-web.sh build

run: build
	./build/tavrin $(ARGS)

test: build
	./scripts/run-tests.sh build

test-asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	./scripts/run-tests.sh build-asan

bench: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS) --target tavrin_bench tavrin-scores tavrin_score_load tavrin_record_search
	./build-release/tavrin_bench
	/usr/bin/python3 bench/scoreserver/score_server_load.py build-release
	JOBS=$(JOBS) ./scripts/build-web.sh build-release tavrin_site_test
	/usr/bin/python3 bench/web/web_bench.py build-wasm/site build-wasm/site-test

fuzz: deps
	./scripts/run-fuzz.sh

install: release
	cmake --install build-release $(if $(PREFIX),--prefix $(PREFIX),)

# The Debian packages tavrin and tavrin-scores, into build-deb/.
deb: deps
	JOBS=$(JOBS) TAVRIN_WEB_SITE_DIR=$(TAVRIN_WEB_SITE_DIR) ./scripts/build-deb.sh

# Installs the packages on this machine, checks them and purges them again
# (for disposable machines: CI runs it after make test).
test-deb: deb
	/usr/bin/python3 tests/package/deb_test.py build-deb

clean:
	rm -rf build build-release build-asan build-fuzz build-deb build-wasm
