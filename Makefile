# The two commands of the README: `make run` and `make test`. Both install what is missing first.
BUILD ?= build
JOBS ?= 2

.PHONY: all deps configure build run test clean

all: build

deps:
	bash scripts/deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	./$(BUILD)/zuvo

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

clean:
	rm -rf $(BUILD)
