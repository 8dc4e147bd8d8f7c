# Quick start: `make run` builds and starts the editor, `make test` builds and runs every test.
BUILD ?= build
CMAKE_FLAGS ?=
# The editor opens the demo score unless told otherwise (make run ARGS=score.pl3).
ARGS ?= $(BUILD)/Demo.pl3

.PHONY: run test build deps-run deps-test bench clean

run: deps-run
	$(MAKE) --no-print-directory build
	./$(BUILD)/plectorium $(ARGS)

test: deps-test
	$(MAKE) --no-print-directory build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

build:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    $(shell command -v ccache >/dev/null 2>&1 && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache) $(CMAKE_FLAGS)
	cmake --build $(BUILD)

deps-run:
	@scripts/install-deps.sh run

deps-test:
	@scripts/install-deps.sh test

bench: deps-test
	$(MAKE) --no-print-directory build
	./$(BUILD)/bench/plectorium_bench

clean:
	rm -rf $(BUILD)
