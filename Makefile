# Caseleaf: `make run` builds and starts the program, `make test` builds and runs every test.
# Both install the Debian packages that are missing first. `make package` builds a .deb.

PACKAGES := g++ cmake ninja-build pkg-config ccache qt6-base-dev qt6-base-dev-tools libgl-dev \
            libzip-dev libcups2-dev libwmf-dev libjpeg-dev libexpat1-dev googletest libgtest-dev libgmock-dev \
            libbenchmark-dev dbus-daemon fonts-liberation fonts-dejavu-core fonts-urw-base35 xvfb xauth poppler-utils zip unzip \
            desktop-file-utils shared-mime-info xdg-utils libfile-mimeinfo-perl appstream dpkg-dev file

BUILD ?= build
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

PREFIX ?= /usr/local

.PHONY: all deps configure build run test check-sanitize fuzz bench print-check install package package-check clean

all: build

# Installs the packages of $(1) that are missing.
define install-missing
	@missing=$$(for p in $(1); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi
endef

deps:
	$(call install-missing,$(PACKAGES))

configure: deps
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja

build: configure
	cmake --build $(BUILD)

run: build
	./$(BUILD)/caseleaf

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 --timeout 120

# The whole suite under AddressSanitizer (leaks included) and UndefinedBehaviorSanitizer.
SANITIZE_ENV := QT_QPA_PLATFORM=offscreen \
  ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitize/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
check-sanitize: deps
	@[ -f $(BUILD)-sanitize/build.ninja ] || cmake -S . -B $(BUILD)-sanitize -G Ninja -DCASELEAF_SANITIZE=ON
	cmake --build $(BUILD)-sanitize
	cd $(BUILD)-sanitize && $(SANITIZE_ENV) ctest --output-on-failure -j2 --timeout 300

# libFuzzer harnesses built with clang, ASan and UBSan in their own build folder, each run for
# FUZZ_SECONDS on a copy of its seeds (tests/fuzz/NAME); crashes land in $(BUILD)-fuzz/crashes.
FUZZ_PACKAGES := clang libfuzzer-14-dev
FUZZ_HARNESSES := ini settings texts archive picture
FUZZ_SECONDS ?= 60
fuzz: deps
	$(call install-missing,$(FUZZ_PACKAGES))
	@[ -f $(BUILD)-fuzz/build.ninja ] || CC=clang CXX=clang++ cmake -S . -B $(BUILD)-fuzz -G Ninja \
	  -DCASELEAF_FUZZ=ON -DCASELEAF_TESTS=OFF
	cmake --build $(BUILD)-fuzz --target $(addprefix fuzz_,$(FUZZ_HARNESSES))
	@mkdir -p $(BUILD)-fuzz/crashes
	@for h in $(FUZZ_HARNESSES); do \
	  mkdir -p $(BUILD)-fuzz/corpus/$$h; \
	  QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitize/lsan.supp:print_suppressions=0 \
	  $(BUILD)-fuzz/fuzz_$$h -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 \
	    -max_len=1048576 -print_final_stats=1 -artifact_prefix=$(BUILD)-fuzz/crashes/$$h- \
	    $(BUILD)-fuzz/corpus/$$h tests/fuzz/$$h > $(BUILD)-fuzz/$$h.log 2>&1; \
	  rc=$$?; \
	  echo "fuzz_$$h: $$(grep -h 'stat::number_of_executed_units' $(BUILD)-fuzz/$$h.log) (log: $(BUILD)-fuzz/$$h.log)"; \
	  if [ $$rc -ne 0 ]; then grep -h -A30 '^==' $(BUILD)-fuzz/$$h.log | head -60; exit 1; fi; \
	done

bench: deps
	cmake -S . -B $(BUILD)-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DCASELEAF_TESTS=OFF -DCASELEAF_BENCH=ON
	cmake --build $(BUILD)-bench
	for b in $(BUILD)-bench/bench/*_bench; do QT_QPA_PLATFORM=offscreen $$b; done
	@# The peer that numbered copies into a PDF are timed against.
	@dpkg-query -W -f='$${Status}\n' glabels 2>/dev/null | grep -q 'install ok installed' || \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq glabels
	python3 bench/print_bench.py $(BUILD)-bench/caseleaf

# A real print queue: not part of "test", it installs cups and adds a queue.
print-check: build
	bash tests/print_check/print_check.sh $(BUILD)

# PREFIX and DESTDIR as usual: make install PREFIX=/usr DESTDIR=/tmp/stage
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# A Debian package of the installed layout; package-check installs it on this machine (root),
# runs it and removes it again.
package: build
	cmake --build $(BUILD) --target package

package-check: package
	$(SUDO) bash packaging/check_deb.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(BUILD)-bench $(BUILD)-sanitize $(BUILD)-fuzz
