# make run  - builds when needed, starts the simulated printer and RKMENU connected to it
# make test - builds when needed and runs every test
# make fuzz - builds the libFuzzer harnesses with clang (build-fuzz) and runs each FUZZ_SECONDS (60)
# make test-sanitize - the whole suite built with ASan and UBSan (build-sanitize)
# make setup-demo - the example package with RKSELECT and RKSETUP in build/setup-package, RKSELECT started
# make package - the Debian package build/rkmenu_VERSION_ARCH.deb (apt install ./build/rkmenu_*.deb)
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test bench clean setup-package setup-demo fuzz test-sanitize package

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD)/CMakeCache.txt:
	@$(MAKE) --no-print-directory deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: $(BUILD)/CMakeCache.txt

build: deps configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	@bash scripts/run-demo.sh $(BUILD)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

setup-package: build
	@rm -rf $(BUILD)/setup-package && cp -r examples/setup-package $(BUILD)/setup-package
	@cp $(BUILD)/bin/RKSETUP $(BUILD)/bin/RKSELECT $(BUILD)/bin/Setwright.qm $(BUILD)/setup-package/
	@echo "example package in $(BUILD)/setup-package"

setup-demo: setup-package
	cd $(BUILD)/setup-package && ./RKSELECT

fuzz:
	@JOBS=$(JOBS) bash scripts/fuzz.sh

test-sanitize:
	@JOBS=$(JOBS) bash scripts/test-sanitize.sh

package: build
	cd $(BUILD) && cpack -G DEB

bench: build
	@for b in $(BUILD)/bench/*; do [ -x "$$b" ] && "$$b"; done; true

clean:
	rm -rf $(BUILD)
