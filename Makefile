# Cardenza! — build, run and test.
#   make run    install what is missing, build, start the program
#   make test   install what is missing, build, run every test offscreen
#   make sanitize  the same tests again under the address, leak and undefined
#               behaviour sanitizers, in a build folder of their own
#   make install      installs under PREFIX (default /usr/local); DESTDIR is honoured
#   make package      builds a Debian package (cardenza_<version>_<arch>.deb) in BUILD
#   make bench        times the start against a bare Qt Widgets window (BENCH_RUNS each)
#   make solver-bench the solver's speed on every game, and against fc-solve (SOLVER_DEALS each;
#               SOLVER_PARTS="games freecell towers castle" or some of them)
#   make solver-compare  the solver's verdicts against fc-solve's on SOLVER_DEALS deals per game

# Debian packages the project needs, in one place.
PACKAGES := cmake make g++ pkg-config qt6-base-dev qt6-multimedia-dev qt6-qpa-plugins \
            libqt6sql6-sqlite libgl-dev fonts-liberation fonts-dejavu-core desktop-file-utils appstream

BUILD   ?= build
JOBS    ?= $(shell nproc)
SUDO    := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
PREFIX  ?= /usr/local

# Only for `make test`: the table read through a real AT-SPI client, on an X server and
# a session bus of the test's own.
TEST_PACKAGES := python3-pyatspi at-spi2-core xvfb dbus-daemon

# Only for `make package`: dpkg-shlibdeps finds the package's dependencies.
PACKAGE_PACKAGES := dpkg-dev file

# Only for `make bench`: a bare X server when no display is set.
BENCH_PACKAGES := xvfb xauth
BENCH_RUNS     ?= 40

# Only for `make solver-bench` and `make solver-compare`: the reference solver.
SOLVER_PACKAGES := freecell-solver-bin time python3
SOLVER_DEALS    ?= 1000

# Only for `make fuzz`: the coverage-guided fuzzer of the picture decoder.
FUZZ_PACKAGES := clang libclang-rt-14-dev pkg-config
FUZZ_SECONDS  ?= 300

# Only for `make sanitize`: any sanitizer report ends its test program with an error.
SANITIZE_BUILD := build-sanitize
SANITIZE_FLAGS := -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
SANITIZE_ENV   := QT_QPA_PLATFORM=offscreen CARDENZA_SOLVER_SEEDS=1 CARDENZA_REPLAY_BUDGET_MS=2000 \
                  ASAN_OPTIONS=detect_leaks=1 \
                  UBSAN_OPTIONS=print_stacktrace=1

.PHONY: run test build deps install-missing configure screenshots clean fuzz sanitize install package bench \
        solver-bench solver-compare

run: build
	./$(BUILD)/cardenza

test: build
	@$(MAKE) --no-print-directory install-missing LIST="$(TEST_PACKAGES)"
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

configure: deps
	@[ -f $(BUILD)/CMakeCache.txt ] || cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

deps:
	@$(MAKE) --no-print-directory install-missing LIST="$(PACKAGES)"

install-missing:
	@missing=""; for p in $(LIST); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi

sanitize: deps
	@[ -f $(SANITIZE_BUILD)/CMakeCache.txt ] || cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE_FLAGS)"
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && $(SANITIZE_ENV) ctest --output-on-failure -j $(JOBS)

# Only what gets installed is built: the program and its icons.
install: configure
	cmake --build $(BUILD) -j $(JOBS) --target cardenza icons
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

package: configure
	@$(MAKE) --no-print-directory install-missing LIST="$(PACKAGE_PACKAGES)"
	cmake --build $(BUILD) -j $(JOBS) --target cardenza icons
	cd $(BUILD) && cpack -G DEB

# Not a test: the figures depend on the machine and its load.
bench: configure
	@$(MAKE) --no-print-directory install-missing LIST="$(BENCH_PACKAGES)"
	cmake --build $(BUILD) -j $(JOBS) --target bench_tools
	tools/bench/run.sh $(BUILD) $(BENCH_RUNS)

# Not a test either: the solver's times and their ratios to fc-solve's.
solver-bench: configure
	@$(MAKE) --no-print-directory install-missing LIST="$(SOLVER_PACKAGES)"
	cmake --build $(BUILD) -j $(JOBS) --target cardenza
	tools/solver-bench/run.sh $(BUILD) $(SOLVER_DEALS) $(SOLVER_PARTS)

# The verdicts against fc-solve's; `make test` runs the same test on fewer deals
# when fc-solve is installed. A thousand deals take longer than the five minutes
# QtTest gives a test function by default.
solver-compare: configure
	@$(MAKE) --no-print-directory install-missing LIST="$(SOLVER_PACKAGES)"
	cmake --build $(BUILD) -j $(JOBS) --target solver_tst_fcsolve
	cd tests/solver && QT_QPA_PLATFORM=offscreen QTEST_FUNCTION_TIMEOUT=86400000 CARDENZA_FCSOLVE_DEALS=$(SOLVER_DEALS) ../../$(BUILD)/tests/solver_tst_fcsolve

# The windows as the README shows them, at the ordinary density and, in 2x/, at twice it.
screenshots: build
	QT_QPA_PLATFORM=offscreen ./$(BUILD)/cardenza --screenshots docs/screenshots
	QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=2 ./$(BUILD)/cardenza --screenshots docs/screenshots/2x

fuzz:
	@$(MAKE) --no-print-directory install-missing LIST="$(PACKAGES) $(FUZZ_PACKAGES)"
	tools/fuzz/run.sh $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD)
