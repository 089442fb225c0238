# The two everyday commands: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all run test engine clean asan tsan bench

all: engine

$(BUILD)/Makefile:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

engine: $(BUILD)/Makefile
	cmake --build $(BUILD) --target pbrain-vodaro -j $(JOBS)

run: engine
	@exec ./$(BUILD)/pbrain-vodaro

test: $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: $(BUILD)/Makefile
	cmake --build $(BUILD) --target vodaro_bench -j $(JOBS)
	./$(BUILD)/bench/vodaro_bench

# Sanitizer builds, as CI runs them.
asan:
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVODARO_SANITIZE=address -DVODARO_CHECKS=ON -DVODARO_BENCH=OFF
	cmake --build build-asan -j $(JOBS)
	cd build-asan && ctest --output-on-failure -j $(JOBS)

tsan:
	cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DVODARO_SANITIZE=thread -DVODARO_BENCH=OFF
	cmake --build build-tsan -j $(JOBS)
	cd build-tsan && ctest --output-on-failure -L thread -j $(JOBS)

clean:
	rm -rf build build-asan build-tsan
