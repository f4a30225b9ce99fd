# Thin wrapper: `make run` builds and starts the program, `make test` builds and runs every test.
JOBS ?= $(shell nproc)

.PHONY: deps run test build build-test clean

deps:
	./scripts/install-deps.sh

build: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRVM46_TESTS=OFF
	cmake --build build -j $(JOBS)

build-test: deps
	cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DRVM46_SANITIZE=ON
	cmake --build build-test -j $(JOBS)

run: build
	./scripts/run-program.sh build/program

test: build-test
	cd build-test && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf build build-test
