# Senvora — front door. `make run` starts the application, `make test` builds and runs every test.
BUILD   ?= build
JOBS    ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

DEBIAN_PACKAGES := build-essential cmake qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite \
	qt6-translations-l10n fonts-farsiweb fonts-noto-core poppler-utils sqlite3 libsqlite3-dev libgl1-mesa-dev \
	clang libclang-rt-14-dev \
	dpkg-dev file lintian desktop-file-utils appstream xvfb xauth x11-utils xdotool \
	qt6-charts-dev libxlsxwriter-dev libreadstat-dev readstat libqt6sql6-psql postgresql libespeak-ng-dev
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

FUZZ_BUILD   ?= build-fuzz
ASAN_BUILD   ?= build-asan
FUZZERS      := $(patsubst fuzz/fuzz_%.cpp,%,$(wildcard fuzz/fuzz_*.cpp))
FUZZ_SECONDS ?= 600

.PHONY: all deps build run test test-asan fuzz fuzz-smoke fuzz-build bench stress screenshots package package-check \
	format clean

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
	$(MAKE) --no-print-directory fuzz-smoke

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug \
		-DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen \
		ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS)

fuzz-build: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DSENVORA_FUZZ=ON -DBUILD_TESTING=OFF \
		-DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

# A short run of every fuzzer over its seed corpus (part of `make test`).
fuzz-smoke: fuzz-build
	@for f in $(FUZZERS); do \
		mkdir -p $(FUZZ_BUILD)/corpus/$$f; \
		QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 ./$(FUZZ_BUILD)/fuzz/fuzz_$$f \
			-max_total_time=15 -print_final_stats=0 $(CURDIR)/$(FUZZ_BUILD)/corpus/$$f $(CURDIR)/fuzz/corpus/$$f \
			2>$(FUZZ_BUILD)/fuzz_$$f.log || { tail -40 $(FUZZ_BUILD)/fuzz_$$f.log; exit 1; }; \
		echo "fuzz_$$f: $$(grep -o 'Done [0-9]* runs' $(FUZZ_BUILD)/fuzz_$$f.log), no finding"; \
	done

# The long run: FUZZ_SECONDS per fuzzer.
fuzz: fuzz-build
	@for f in $(FUZZERS); do \
		mkdir -p $(FUZZ_BUILD)/corpus/$$f; \
		QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 ./$(FUZZ_BUILD)/fuzz/fuzz_$$f \
			-max_total_time=$(FUZZ_SECONDS) $(CURDIR)/$(FUZZ_BUILD)/corpus/$$f $(CURDIR)/fuzz/corpus/$$f || exit 1; \
	done

# Every action at 1,000 and 100,000 subjects; BENCH_FLAGS=--million adds 1,000,000.
bench: deps
	cmake -S . -B bench/build -DCMAKE_BUILD_TYPE=Release -DSENVORA_BENCH=ON -DBUILD_TESTING=OFF
	cmake --build bench/build -j $(JOBS) --target senvora_bench
	./bench/build/bench/senvora_bench --out bench/results.json $(BENCH_FLAGS)

# At least 500 kills of a worker driving the real screens; ends with the summary line.
# Pictures of every screen, panel and box in three themes at scale 1 and 2, for review.
SCREENSHOTS ?= $(BUILD)/screenshots
screenshots: build
	for scale in 1 2; do \
		QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=$$scale LC_ALL=C.UTF-8 SENVORA_NO_PRINTER=1 \
			./$(BUILD)/tests/helper_screenshots $(SCREENSHOTS) || exit 1; done

stress: build
	@cd $(BUILD)/tests && QT_QPA_PLATFORM=offscreen SENVORA_STRESS_KILLS=$${SENVORA_STRESS_KILLS:-500} QTEST_FUNCTION_TIMEOUT=36000000 \
		./tst_crashsafety > stress.log 2>&1; status=$$?; \
		grep -v '^kills:' stress.log | tail -5; grep '^kills:' stress.log; exit $$status

# The Debian package: $(BUILD)/senvora_<version>_amd64.deb.
package: build
	cd $(BUILD) && cpack -G DEB

# Installs the package with apt, starts it from its menu entry under a virtual display, runs
# lintian and the desktop-entry and AppStream validators, removes it and checks the user's data.
package-check: package
	$(SUDO) env BUILD=$(BUILD) packaging/package-check.sh

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD) $(ASAN_BUILD) bench/build
