# make run   installs what is missing, builds, starts the workbench
#            (without a display: the demo conversion on examples/)
# make test  installs what is missing, builds, runs every test

BUILD    ?= build
JOBS     ?= $(shell nproc)
PACKAGES := cmake ninja-build g++ make qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
            libbenchmark-dev libcli11-dev fonts-dejavu-core
SUDO     := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: run test build deps demo format clean

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

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD)/app/specbridge; \
	else \
	  echo "No display found (DISPLAY and WAYLAND_DISPLAY are unset): running the demo conversion instead."; \
	  $(MAKE) --no-print-directory demo; \
	fi

demo:
	$(BUILD)/app/cli/specbridge-cli --version
	$(BUILD)/app/cli/specbridge-cli --help

format:
	clang-format -i $$(git ls-files '*.cpp' '*.hpp')

clean:
	rm -rf $(BUILD)
