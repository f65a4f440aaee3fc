# The two commands of the README are `make run` and `make test`; both install
# whatever Debian packages are missing first (with sudo when not root).

BUILD     ?= build
GENERATOR ?= Ninja
JOBS      ?= $(shell nproc)
FUZZ_SECONDS ?= 60

# qt6-translations-l10n: the toolkit's own texts (message-box buttons, key names)
# in the language the user chooses.
DEPS := cmake ninja-build g++ pkg-config make \
        qt6-base-dev qt6-svg-dev libsimpleini-dev libicu-dev libical-dev \
        libgtest-dev libgmock-dev libbenchmark-dev poppler-utils help2man \
        qt6-translations-l10n
# The fonts of the Chinese, Japanese and Thai texts: the program shows them, and the
# layout test measures them (without them it fails: their characters have no glyphs).
FONT_DEPS := fonts-noto-cjk fonts-thai-tlwg
# Only the running program needs these: the tests run on Qt's offscreen platform.
RUN_DEPS := $(FONT_DEPS) xvfb xauth
# ... but for one, which ends the real program while one of its dialogs is open: that
# takes a display and keys pressed on it.
# locales: the label test builds a locale with Letter paper from its sources.
TEST_DEPS := $(FONT_DEPS) xvfb xauth xdotool locales
# The screenshots of docs/gallery.
GALLERY_DEPS := xvfb xauth x11-apps netpbm
FUZZ_DEPS := clang-14 libclang-rt-14-dev
BENCH_DEPS := bc time
PACKAGE_DEPS := dpkg-dev file desktop-file-utils lintian

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps fuzz-deps configure build run run-batch test sanitize bench fuzz package lintian package-check install clean gallery round-pictures

all: build

# Installs only what is missing, so a second run costs nothing.
define install_missing
	@missing=""; for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

# The QR codes of the point labels, and the test that reads them back.
LABEL_DEPS := libqrencode-dev zbar-tools

deps:
	$(call install_missing,$(DEPS) $(LABEL_DEPS))

fuzz-deps: deps
	$(call install_missing,$(FUZZ_DEPS))

$(BUILD)/build.ninja: CMakeLists.txt | deps
	cmake -S . -B $(BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(call install_missing,$(RUN_DEPS))
	$(BUILD)/unctora

# The batch calculator on the example plant list.
run-batch: build
	$(BUILD)/unctora-calc examples/plant.csv

test: build
	$(call install_missing,$(TEST_DEPS))
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The whole test suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer
# (-O1 and line tables only: it compiles faster and still names the lines of a finding).
SAN_BUILD ?= $(BUILD)-sanitize
SAN_ENV := QT_QPA_PLATFORM=offscreen \
  ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:detect_stack_use_after_return=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitize/lsan.supp:print_suppressions=0

sanitize: deps
	$(call install_missing,$(TEST_DEPS))
	cmake -S . -B $(SAN_BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=None \
	  -DCMAKE_CXX_FLAGS="-O1 -g1" -DUNCTORA_SANITIZE=ON -DUNCTORA_BUILD_BENCH=OFF
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && $(SAN_ENV) ctest --output-on-failure -j $(JOBS)

bench: build
	$(call install_missing,$(BENCH_DEPS))
	$(BUILD)/bench/unctora-bench
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/unctora-window-bench
	bench/batch-throughput.sh $(BUILD)
	$(call install_missing,xvfb xauth x11-utils)
	bench/startup-time.sh $(BUILD)

# Screenshots of the "Dial setting" tab in every language, from the real program under Xvfb.
gallery: build
	$(call install_missing,$(FONT_DEPS) $(GALLERY_DEPS))
	docs/gallery/make-gallery.sh $(BUILD)

# The pictures of the route sheet and a label sheet in the README, from the example plant.
round-pictures: build
	$(call install_missing,$(FONT_DEPS) $(LABEL_DEPS))
	docs/round/make-pictures.sh $(BUILD)

# libFuzzer targets, built with clang in a separate tree; each runs FUZZ_SECONDS.
fuzz: fuzz-deps
	cmake -S fuzz -B $(BUILD)-fuzz -G $(GENERATOR) -DCMAKE_CXX_COMPILER=clang++-14
	cmake --build $(BUILD)-fuzz -j $(JOBS)
	@for t in $$(ls $(BUILD)-fuzz/fuzz-*); do \
	  name=$$(basename $$t); mkdir -p $(BUILD)-fuzz/corpus/$$name; \
	  echo "== $$name for $(FUZZ_SECONDS) s"; \
	  $$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 $(BUILD)-fuzz/corpus/$$name fuzz/corpus/$$name || exit 1; \
	done

# The Debian package of the program (stripped), into $(BUILD)/; see the README.
package: build
	$(call install_missing,$(PACKAGE_DEPS))
	cd $(BUILD) && cpack -G DEB
	@ls -l $(BUILD)/unctora_*.deb

DEB = $(BUILD)/unctora_$$(sed -n 's/^project(unctora VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)_amd64.deb

# Debian's checks of the package: any error or warning fails (overrides, each with its
# reason, would be in the package's lintian overrides).
lintian: package
	lintian --fail-on error,warning $(DEB)

# The package on a fresh Debian 12 (debootstrap; needs root and the network).
package-check: lintian
	$(call install_missing,debootstrap xvfb x11-apps)
	tests/install/check-package.sh $(DEB)

# Installs into PREFIX (default /usr/local): executables and the language file in
# lib/unctora, commands in bin, the menu entry and its icon under share.
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD) $(BUILD)-fuzz $(SAN_BUILD)
