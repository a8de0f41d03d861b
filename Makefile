# Two entry points for a fresh Debian 12 machine (run as root, or with sudo available):
#   make run   installs what is missing, builds the program alone and starts it
#   make test  installs what is missing, builds everything (tests, benchmarks) and runs every test
# JOBS=n limits the parallel build jobs (default: the build tool's own choice).
BUILD ?= build/release
PRESET ?= release
JOBS ?=
BUILD_JOBS = $(if $(JOBS),-j$(JOBS))

.PHONY: run test build configure deps debug-test format clean bench

# Builds go through ccache when it is installed, with paths taken relative to the tree: another
# checkout of the same sources (a second worktree, the clone that the end-to-end test builds) then
# reuses the objects instead of compiling everything again (their debug information then names the
# build folder they were first compiled in).
ifneq ($(shell command -v ccache 2>/dev/null),)
export CMAKE_CXX_COMPILER_LAUNCHER ?= ccache
export CCACHE_BASEDIR ?= $(CURDIR)
export CCACHE_NOHASHDIR ?= true
endif

# make test also installs what only the tests need (the flag reaches deps through build and configure).
deps:
	@scripts/install-deps.sh $(DEPS_FLAGS)

test: DEPS_FLAGS = --tests

configure: deps
	cmake --preset $(PRESET) >/dev/null

build: configure
	cmake --build --preset $(PRESET) $(BUILD_JOBS)

run: configure
	cmake --build --preset $(PRESET) --target vantrel $(BUILD_JOBS)
	$(BUILD)/vantrel

test: build
	scripts/run-tests.sh $(BUILD)

debug-test:
	$(MAKE) test PRESET=debug BUILD=build/debug

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && [ -f "$$b" ] && { echo "== $$b"; QT_QPA_PLATFORM=offscreen "$$b"; }; done

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
