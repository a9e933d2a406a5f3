BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: deps build run test clean

deps:
	@bash scripts/install-deps

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@bash scripts/run-tarvik $(BUILD_DIR)/tarvik

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) --timeout 600

clean:
	rm -rf $(BUILD_DIR)
