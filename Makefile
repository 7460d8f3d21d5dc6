# Build and test on Debian 12: `make test` does everything from a fresh machine.
SHELL := /bin/bash
JOBS ?= 2

.PHONY: all deps build check-binaries test demo check-qemu-route clean

all: build

deps:
	tests/tools/install-deps

build:
	cmake --preset i686 && cmake --build --preset i686 -j$(JOBS)
	cmake --preset i686-tests && cmake --build --preset i686-tests -j$(JOBS)
	cmake --preset x64 && cmake --build --preset x64 -j$(JOBS)

check-binaries:
	tests/tools/check-binaries.py build/i686/bin

# Sequenced by hand rather than by prerequisites, so that `make -j` keeps
# the order: packages, build, inspection, then the suites.
test:
	$(MAKE) deps
	$(MAKE) build
	$(MAKE) check-binaries
	tests/tools/run-tests

# Installs the printer into a private Wine prefix through the sample setup
# program, shows what Windows sees, and removes it again.
demo:
	$(MAKE) deps
	tests/tools/demo

# One i686 test program through qemu-i386 with every i386 system call
# forbidden; QEMU_TEST picks it by name (default: the first test).
QEMU_TEST ?=
check-qemu-route:
	tests/tools/run-tests --qemu-route $(QEMU_TEST)

clean:
	rm -rf build
