# Two commands set up a fresh Debian machine: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
PACKAGES := cmake ninja-build g++ pkg-config qt6-base-dev libjpeg-dev libhamlib-dev libhamlib-utils qt6-translations-l10n xvfb xauth
MISSING = $(shell for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done)
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
# ccache, where the machine has it, lets several checkouts share one compile cache.
LAUNCHER := $(shell command -v ccache >/dev/null 2>&1 && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

.PHONY: deps configure build run test bench fuzz format clean package package-test

deps:
	@missing="$(MISSING)"; if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

configure: deps
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/dalu

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The Debian package: the programs, the callbook library and the delivered files.
package: PACKAGES += dpkg-dev file
package: configure
	cmake --build $(BUILD) -j $(JOBS) --target dalu dalu-convert raccd32a package_files
	cd $(BUILD) && cpack -G DEB

# Installs the package into a clean root, commits a QSO under Xvfb, runs lintian.
package-test: PACKAGES += lintian xdotool imagemagick
package-test: package
	tools/package-test.sh $(BUILD)

bench: build
	cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	@for b in $(BUILD)/bench/bench_*; do [ -f "$$b" ] && [ -x "$$b" ] && { echo "== $$b"; $$b; }; done; true

fuzz: deps
	bash fuzz/run.sh

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
