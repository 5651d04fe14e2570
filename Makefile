# SPDX-License-Identifier: MIT
# The two set-up commands: `make run` and `make test`.
BUILD      ?= build
SAN_BUILD  ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 30

.PHONY: deps build run test sanitize-test fuzz bench deb clean

deps:
	bash .ci/install-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/orvex-lumora /S

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

sanitize-test: deps
	cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVEX_SANITIZE=ON
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && ctest --output-on-failure -j $(JOBS) -LE slow

fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVEX_FUZZ=ON \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_targets
	FUZZ_SECONDS=$(FUZZ_SECONDS) bash fuzz/run-all $(FUZZ_BUILD)/bin

bench: build
	$(BUILD)/bin/engine_bench
	$(BUILD)/bin/pipeline_bench
	$(BUILD)/bin/settings_bench
	$(BUILD)/bin/video_bench
	bash bench/onscreen_bench $(BUILD)

# The Debian package, built the Debian way from a copy of the tracked tree (uncommitted
# edits included), so nothing of a local build gets in; the .deb files land in dist/.
deb: deps
	bash packaging/build-deb dist

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(FUZZ_BUILD) dist
