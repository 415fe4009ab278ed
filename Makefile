# Corvatt: `make run` starts the program on the virtual mouse, `make check` runs every test.
BUILD      ?= build
GENERATOR  ?= Ninja
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=
WERROR     ?= OFF

.PHONY: all deps configure build run check bench screenshots tsan clean

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G $(GENERATOR) -DCORVATT_WERROR=$(WERROR) $(CMAKE_ARGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Without a display the program runs under Xvfb and leaves a screenshot.
# A normal end of the program exits with 1 (0 is the close button, the tray menu or --quit).
SHOT = $(abspath $(BUILD))/screenshot.png
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD)/bin/corvatt --simulate $(ARGS) || [ $$? -eq 1 ]; \
	else \
	  rm -f $(SHOT); \
	  xvfb-run -a -s "-screen 0 1600x1000x24" $(BUILD)/bin/corvatt --simulate --open \
	    --screenshot $(SHOT) --exit-after 4000 $(ARGS) || [ $$? -eq 1 ]; \
	  if [ -f $(SHOT) ]; then echo "screenshot: $(SHOT)"; else echo "no screenshot was written" >&2; exit 1; fi; \
	fi

check: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The README's pictures: English and Chinese, on the virtual V1 and V2.
screenshots: build
	xvfb-run -a -s "-screen 0 1920x1080x24" $(BUILD)/bin/corvatt-screenshots docs/screenshots --simulate=v1-wired,v2-wired
	LANG=zh_CN.UTF-8 LC_ALL= LC_MESSAGES= xvfb-run -a -s "-screen 0 1920x1080x24" $(BUILD)/bin/corvatt-screenshots docs/screenshots --simulate=v1-wired --prefix=zh-

bench: build
	cmake --build $(BUILD) --target benches -j $(JOBS)
	@for b in $$(find $(BUILD)/bench -maxdepth 2 -type f -perm -u+x -name 'bench_*'); do echo "== $$b"; $$b; done

# ThreadSanitizer build of the threaded tests.
tsan: deps
	cmake -S . -B build-tsan -G $(GENERATOR) -DCORVATT_TSAN=ON -DCORVATT_BUILD_VIEW=OFF $(CMAKE_ARGS)
	cmake --build build-tsan -j $(JOBS)
	cd build-tsan && ctest --output-on-failure -L threads -j $(JOBS)

clean:
	rm -rf $(BUILD) build-tsan
