# make run   installs what is missing, builds, starts the workbench
#            (without a display: the demo conversion on examples/)
# make test  installs what is missing, builds, runs every test

BUILD    ?= build
JOBS     ?= $(shell nproc)
PACKAGES := cmake ninja-build g++ make qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
            libbenchmark-dev libcli11-dev libeigen3-dev fonts-dejavu-core \
            help2man dpkg-dev file
SUDO     := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: run test build programs package deps demo format clean

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# Only the two programs: the tests, benchmarks and fuzzers wait for make test.
programs: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target specbridge specbridge-cli

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# build/specbridge_<version>_<arch>.deb
package: build
	cd $(BUILD) && cpack -G DEB

# The workbench starts in $(BUILD), so the "dirinf" it keeps stays out of the checkout.
run: programs
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  cd $(BUILD) && ./app/specbridge; \
	else \
	  echo "No display found (DISPLAY and WAYLAND_DISPLAY are unset): running the demo conversion instead."; \
	  $(MAKE) --no-print-directory demo; \
	fi

CLI := $(BUILD)/app/cli/specbridge-cli
DEMO := $(BUILD)/demo

demo: programs
	@mkdir -p $(DEMO)
	$(CLI) --version
	$(CLI) titration examples/titration/tit00.ASC --comment1 "M + L titration, 1 cm cell" \
	  --comment2 "pH 7.0 (HEPES)" --v0 2 --vt 0.01 --cm 1e-4 --ch 0 --temp 25 --titrant 1:2e-3 \
	  --xlow 260 --xhigh 600 -o $(DEMO)/tit.txt
	@echo "Titration: 21 spectra of examples/titration/tit00.ASC ... tit20.ASC -> $(DEMO)/tit.txt"
	$(CLI) kinetics examples/kinetics/ab_multispec.ASC --comments1 "A -> B, first order" --comments2 "k = 0.04 /s" \
	  --temperature 25 --apply --nmlow 410 --step 2 --lower-cut 1 -o $(DEMO)/kinetics.txt
	@echo "Kinetics: 31 spectra of examples/kinetics/ab_multispec.ASC -> $(DEMO)/kinetics.txt"
	$(CLI) epsilon-table examples/fix/complexa.dem -o $(DEMO)/complex_epsilon.txt
	$(CLI) fix-epsilon examples/fix/complexa.dem -o $(DEMO)/complex.fix
	$(CLI) fix-multispec examples/fix/ligand.asc --concentration 5e-5 -o $(DEMO)/ligand.fix
	$(CLI) fix-multispec examples/fix/ligand.asc --concentration 5e-5 --columns -o $(DEMO)/ligand_columns.fix
	$(CLI) fix-uvprobe examples/fix/uvprobe.txt --concentration 2.5e-4 -o $(DEMO)/uvprobe.fix
	@echo "FIX files: examples/fix/complexa.dem -> $(DEMO)/complex_epsilon.txt and $(DEMO)/complex.fix;"
	@echo "  examples/fix/ligand.asc -> $(DEMO)/ligand.fix (rows) and $(DEMO)/ligand_columns.fix (columns);"
	@echo "  examples/fix/uvprobe.txt -> $(DEMO)/uvprobe.fix"

format:
	clang-format -i $$(git ls-files '*.cpp' '*.hpp')

clean:
	rm -rf $(BUILD)
