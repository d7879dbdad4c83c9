# Entry points: make run, make test, make bench, make fuzz, make install, make release.
JOBS ?= $(shell nproc)
CTEST_FLAGS ?= --output-on-failure

.PHONY: all deps configure build release run test test-asan bench fuzz install clean translations

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
	cmake --build --preset release -j $(JOBS) --target tavrin_bench tavrin-scores tavrin_score_load
	./build-release/tavrin_bench
	/usr/bin/python3 bench/scoreserver/score_server_load.py build-release

fuzz: deps
	./scripts/run-fuzz.sh

install: release
	cmake --install build-release $(if $(PREFIX),--prefix $(PREFIX),)

clean:
	rm -rf build build-release build-asan build-fuzz
