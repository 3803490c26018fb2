# Two commands set up a fresh Debian machine: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
PACKAGES := cmake ninja-build g++ pkg-config qt6-base-dev libjpeg-dev libhamlib-dev libhamlib-utils qt6-translations-l10n xvfb xauth poppler-utils fonts-dejavu-core
MISSING = $(shell for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done)
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
# ccache, where the machine has it, lets several checkouts share one compile cache.
LAUNCHER := $(shell command -v ccache >/dev/null 2>&1 && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

.PHONY: deps configure build run test test-asan bench fuzz format clean package package-test e2e

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

# The upload test runs the real tqsl (Debian's trustedqsl).
test test-asan: PACKAGES += trustedqsl
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

# The real WSJT-X under Xvfb logs two QSOs that must land in a running Dalu's log; the Go
# package describes every datagram's fields (messages.go).
e2e: PACKAGES += wsjtx xvfb xdotool golang-github-k0swe-wsjtx-go-dev
e2e: build
	python3 tools/wsjtx_e2e.py $(BUILD)

# The whole suite once more under AddressSanitizer and UndefinedBehaviorSanitizer, in a
# build tree of its own; any finding fails the test that shows it.
ASAN_BUILD ?= build-asan
SANITIZE := -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined
test-asan: deps
	@[ -f $(ASAN_BUILD)/build.ninja ] || cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS="-O1 $(SANITIZE)" -DCMAKE_C_FLAGS="-O1 $(SANITIZE)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE)" -DCMAKE_SHARED_LINKER_FLAGS="$(SANITIZE)" $(LAUNCHER)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizer.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

bench: build
	cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	@for b in $(BUILD)/bench/bench_*; do [ -f "$$b" ] && [ -x "$$b" ] && { echo "== $$b"; $$b; }; done; true

fuzz: deps
	bash fuzz/run.sh

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
