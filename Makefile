# Novanta: `make run` builds and starts the program, `make test` builds and runs every test.
# Both install what is missing with apt first (through sudo when not root).

BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release

PACKAGES := build-essential cmake pkg-config ccache git \
	libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev libfmt-dev zlib1g-dev \
	libcurl4-openssl-dev libcpp-httplib-dev libsqlite3-dev \
	qt6-base-dev qt6-translations-l10n qt6-charts-dev libqt6opengl6-dev xvfb xauth desktop-file-utils appstream dpkg-dev file fonts-dejavu-core \
	clang libclang-rt-14-dev

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build run test sanitize bench bench-optimiser fuzz matrici serve-updates screenshots package clean

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
		dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
		echo "Installing:$$missing"; \
		$(SUDO) apt-get update -qq && \
		DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

configure: deps
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS) >/dev/null

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -x $(BUILD_DIR)/src/ui/novanta ]; then \
		$(BUILD_DIR)/src/ui/novanta; \
	else \
		echo "Demonstration: prediction 1-20, columns of 5, sum 40-60, N-2 reduction"; \
		$(BUILD_DIR)/novanta-cli generate --numbers 1-20 --length 5 --sum 40-60 --nx 2 --out /dev/null; \
	fi

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) --timeout 900

# Every test again under AddressSanitizer and UndefinedBehaviorSanitizer, in its own build folder
# (debug checks on, -O1 so the engine tests stay quick). Any report fails the run.
SAN_DIR ?= build-asan
SAN_FLAGS := -O1 -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -Wno-maybe-uninitialized

sanitize: deps
	@cmake -S . -B $(SAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DNOVANTA_BENCH=OFF \
		-DCMAKE_C_FLAGS="$(SAN_FLAGS)" -DCMAKE_CXX_FLAGS="$(SAN_FLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
	cmake --build $(SAN_DIR) -j $(JOBS)
	cd $(SAN_DIR) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure -j $(JOBS) --timeout 900

# Starts the program under a virtual screen, drives it to each window and saves PNGs.
screenshots: build
	mkdir -p docs/screenshots
	xvfb-run -a -s "-screen 0 1366x768x24" $(BUILD_DIR)/tools/schermate/novanta_schermate docs/screenshots

# A Debian package of the program, the command-line tool and the desktop files.
package: build
	desktop-file-validate data/io.github.novanta.Novanta.desktop
	appstreamcli validate --no-net data/io.github.novanta.Novanta.metainfo.xml
	cd $(BUILD_DIR) && cpack -G DEB

# The optimiser's table takes ten seconds a case here; `make bench-optimiser` gives it the full
# budgets (60 s a case, 600 s for 49 numbers). One case: OPT_FILTER=20k6 make bench-optimiser.
bench: build
	$(BUILD_DIR)/bench/novanta_bench
	NOVANTA_BENCH_SECONDI=10 $(BUILD_DIR)/bench/novanta_bench_ottimizzatore --benchmark_filter='^Caso/[12]'

OPT_FILTER ?= .
bench-optimiser: build
	$(BUILD_DIR)/bench/novanta_bench_ottimizzatore --benchmark_filter='$(OPT_FILTER)'

serve-updates: build
	$(BUILD_DIR)/tools/update-server/novanta-update-server --port 18090

# libFuzzer (clang) over the file readers and what comes from the update server, in its own build
# folder, FUZZ_SECONDS per target; inputs up to 1.2 MB so the 1 MiB line limit is reached.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 30
FUZZ_TARGETS := colonne_txt filtri_txt matrice matrice_txt estrazioni progetto lingua lista versione matrice_scaricata \
	ini data
FUZZ_FLAGS := -fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined -g

fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNOVANTA_FUZZ=ON \
		-DBUILD_TESTING=OFF -DNOVANTA_BENCH=OFF -DNOVANTA_X86_64_V2=OFF \
		-DCMAKE_C_FLAGS="$(FUZZ_FLAGS)" -DCMAKE_CXX_FLAGS="$(FUZZ_FLAGS)" >/dev/null
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))
	@for t in $(FUZZ_TARGETS); do \
		mkdir -p $(FUZZ_DIR)/corpus/$$t $(FUZZ_DIR)/crash/$$t; \
		echo "== fuzz_$$t for $(FUZZ_SECONDS) s"; \
		$(FUZZ_DIR)/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 -max_len=1200000 \
			-artifact_prefix=$(FUZZ_DIR)/crash/$$t/ -print_final_stats=1 \
			$(FUZZ_DIR)/corpus/$$t fuzz/corpus/$$t > $(FUZZ_DIR)/fuzz_$$t.log 2>&1; rc=$$?; \
		tail -n 12 $(FUZZ_DIR)/fuzz_$$t.log; [ $$rc -eq 0 ] || exit 1; \
	done

# The shipped matrices, rebuilt by the engine and make-matrix.
matrici: build
	data/matrici/genera.sh $(BUILD_DIR)/novanta-cli

clean:
	rm -rf $(BUILD_DIR)
