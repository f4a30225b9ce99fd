# Thin wrapper: `make run` builds, installs and starts the program, `make test` builds and runs
# every test. Only the package installation (scripts/install-deps.sh) asks for sudo.
JOBS ?= $(shell nproc)

.PHONY: deps run test check build build-test install package clean

deps:
	sh scripts/install-deps.sh

# A user's build: optimised, warnings do not stop it.
build: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DRVM46_TESTS=OFF
	cmake --build build -j $(JOBS)

# The developer and CI build: sanitizers, warnings are errors.
build-test: deps
	cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DRVM46_SANITIZE=ON -DRVM46_WERROR=ON
	cmake --build build-test -j $(JOBS)

# build/install: the program to start again without the source tree (bin/rvm46-programmer).
install: build
	cmake --install build --prefix $(CURDIR)/build/install

# build/package/rvm46_*.deb: the Debian package (sudo apt install ./build/package/rvm46_*.deb).
package: build
	cd build && cpack -G DEB -B $(CURDIR)/build/package

run: install package
	sh scripts/run-program.sh build/program

# Every test, then each fuzz target for a short while on its seed corpus.
test: check
	sh scripts/fuzz.sh --time 20

check: build-test
	cd build-test && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf build build-test
