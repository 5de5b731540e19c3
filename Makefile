# The two commands of the README: `make run` and `make test`. Both install what is missing first.
# `make check-sanitize` and `make fuzz` are the reliability checks; CI runs them after `make test`. `make bench`
# prints the performance figures.
BUILD ?= build
JOBS ?= 2
FUZZ_SECONDS ?= 60

SANITIZE_FLAGS := -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer
SANITIZE_ENV := QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 TSAN_OPTIONS=halt_on_error=1

.PHONY: all deps configure build run test check-sanitize fuzz bench clean

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

# Every test under AddressSanitizer and UndefinedBehaviorSanitizer, then the threaded ad worker and the display it
# reports to under ThreadSanitizer.
check-sanitize: deps
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)"
	cmake --build build-asan -j$(JOBS)
	cd build-asan && $(SANITIZE_ENV) ctest --output-on-failure -j$(JOBS)
	cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZUVO_BUILD_UI=OFF -DCMAKE_CXX_FLAGS="-fsanitize=thread"
	cmake --build build-tsan -j$(JOBS) --target ad_worker_test ad_display_test
	cd build-tsan && $(SANITIZE_ENV) ctest --output-on-failure -R '^(ad_worker_test|ad_display_test)$$'

fuzz: deps
	bash scripts/fuzz.sh $(FUZZ_SECONDS)

# The performance figures against their budgets (build-bench/, Release). Not part of the tests: timings are noisy.
bench: deps
	python3 scripts/bench.py build-bench

clean:
	rm -rf $(BUILD) build-asan build-tsan build-fuzz build-bench

# The program as a desktop application: `make install PREFIX=...` (default /usr/local) and the Debian package
# `make deb` (build/zuvo_VERSION_ARCH.deb).
PREFIX ?= /usr/local

.PHONY: install deb

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

deb: build
	cd $(BUILD) && cpack -G DEB
