# The two commands of the README: `make run` and `make test`.
# Both install what is missing, configure, build, then run.
BUILD ?= build
JOBS ?= 2
ARGS ?=

.PHONY: run test build configure deps bench screenshots clean

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/src/finanzas $(ARGS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: configure
	@cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	@echo "benchmarks built in $(BUILD)/bench; see docs/benchmarks.md"

screenshots: configure
	@cmake --build $(BUILD) -j $(JOBS) --target finanzas_screenshots
	$(BUILD)/finanzas_screenshots docs/images

clean:
	rm -rf $(BUILD)
