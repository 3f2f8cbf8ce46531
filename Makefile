# Everything a fresh machine needs goes through these targets.
#   make demo     the programs and the demo game folder only, then the demo
#   make test     everything, tests included, and every test run but the
#                 desktop matrix
#   make test-desktops  the launcher and a Windows game on six desktops
#   make bench    the benchmark programs (in build/bin), then the launcher's benchmarks
#   make package  the Debian package (build/lorvane_<version>_<arch>.deb)
#   make install  into PREFIX (default /usr/local)
BUILD ?= build
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

.PHONY: all deps configure build test test-desktops demo bench package install clean

all: build

deps:
	@tools/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS) -LE desktops

# Six desktops, six cells each, one at a time: about seven minutes.
test-desktops: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target desktop_matrix_tests
	@cd $(BUILD) && ctest --output-on-failure -L desktops

demo: configure
	@cmake --build $(BUILD) -j $(JOBS) --target demo_ready
	@tools/run-demo.sh $(BUILD)

bench: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	@tools/run-benchmarks.sh $(BUILD)

package: configure
	@cmake --build $(BUILD) -j $(JOBS) --target installable
	@cd $(BUILD) && cpack -G DEB

install: configure
	@cmake --build $(BUILD) -j $(JOBS) --target installable
	@cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD)
