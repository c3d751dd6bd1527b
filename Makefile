# Senvora — front door. `make run` starts the application, `make test` builds and runs every test.
BUILD   ?= build
JOBS    ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

DEBIAN_PACKAGES := build-essential cmake qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite \
	qt6-translations-l10n fonts-farsiweb fonts-noto-core poppler-utils sqlite3 libgl1-mesa-dev
BENCH_PACKAGES  := libbenchmark-dev
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps build run test bench stress format clean

all: build

# Installs the Debian packages that are missing (nothing is done when all are present).
deps:
	@missing=""; for p in $(DEBIAN_PACKAGES); do \
		dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
		echo "Installing:$$missing"; \
		$(SUDO) apt-get update -qq && \
		DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/senvora

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps
	@dpkg -s $(BENCH_PACKAGES) >/dev/null 2>&1 || \
		DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $(BENCH_PACKAGES)
	cmake -S . -B bench/build -DCMAKE_BUILD_TYPE=Release -DSENVORA_BENCH=ON -DBUILD_TESTING=OFF
	cmake --build bench/build -j $(JOBS)
	QT_QPA_PLATFORM=offscreen ./bench/build/bench/senvora_bench --out bench/results.json

stress: build
	cd $(BUILD)/tests && QT_QPA_PLATFORM=offscreen SENVORA_STRESS_KILLS=500 ./tst_crashsafety

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) bench/build
