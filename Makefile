# Cardenza! — build, run and test.
#   make run    install what is missing, build, start the program
#   make test   install what is missing, build, run every test offscreen

# Debian packages the project needs, in one place.
PACKAGES := cmake make g++ pkg-config qt6-base-dev qt6-multimedia-dev qt6-qpa-plugins \
            libgl-dev fonts-liberation fonts-dejavu-core

BUILD   ?= build
JOBS    ?= $(shell nproc)
SUDO    := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: run test build deps configure screenshots clean fuzz

run: build
	./$(BUILD)/cardenza

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

configure: deps
	@[ -f $(BUILD)/CMakeCache.txt ] || cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi

screenshots: build
	QT_QPA_PLATFORM=offscreen ./$(BUILD)/cardenza --screenshots docs/screenshots

clean:
	rm -rf $(BUILD)
