# Two entry points for a fresh Debian 12 machine (run as root, or with sudo available):
#   make run   installs what is missing, builds and starts Vantrel
#   make test  installs what is missing, builds and runs every test
BUILD ?= build/release
PRESET ?= release

.PHONY: run test build deps debug-test format clean bench

deps:
	@scripts/install-deps.sh

build: deps
	cmake --preset $(PRESET) >/dev/null
	cmake --build --preset $(PRESET)

run: build
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
