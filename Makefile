# Caseleaf: `make run` builds and starts the program, `make test` builds and runs every test.
# Both install the Debian packages that are missing first.

PACKAGES := g++ cmake ninja-build pkg-config ccache qt6-base-dev qt6-base-dev-tools libgl-dev \
            libzip-dev libcups2-dev libwmf-dev libjpeg-dev libexpat1-dev googletest libgtest-dev libgmock-dev \
            libbenchmark-dev fonts-liberation fonts-dejavu-core fonts-urw-base35 xvfb xauth poppler-utils zip unzip

BUILD ?= build
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build run test bench print-check clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

configure: deps
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja

build: configure
	cmake --build $(BUILD)

run: build
	./$(BUILD)/caseleaf

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 --timeout 120

bench: deps
	cmake -S . -B $(BUILD)-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DCASELEAF_TESTS=OFF -DCASELEAF_BENCH=ON
	cmake --build $(BUILD)-bench
	for b in $(BUILD)-bench/bench/*_bench; do QT_QPA_PLATFORM=offscreen $$b; done

# A real print queue: not part of "test", it installs cups and adds a queue.
print-check: build
	bash tests/print_check/print_check.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(BUILD)-bench
