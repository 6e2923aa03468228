# The everyday commands. Each build flavour has a folder of its own.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
FUZZ_SECONDS ?= 60
CMAKE ?= cmake

BUILD := build
ASAN_BUILD := build-asan
BENCH_BUILD := build-bench
FUZZ_BUILD := build-fuzz

.PHONY: all setup demo test test-asan bench fuzz format clean

all: $(BUILD)/Makefile
	$(CMAKE) --build $(BUILD) --parallel $(JOBS)

setup:
	@scripts/setup.sh build

$(BUILD)/Makefile: | setup
	$(CMAKE) -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

demo: setup $(BUILD)/Makefile
	$(CMAKE) --build $(BUILD) --parallel $(JOBS) --target tegolux_cli
	$(BUILD)/tools/tegolux/tegolux demo --out $(BUILD)/demo

test: setup $(BUILD)/Makefile
	$(CMAKE) --build $(BUILD) --parallel $(JOBS)
	cd $(BUILD) && ctest --output-on-failure --parallel $(JOBS)

test-asan: setup
	$(CMAKE) -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTEGOLUX_SANITIZE=ON
	$(CMAKE) --build $(ASAN_BUILD) --parallel $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure --parallel $(JOBS) --label-exclude slow

bench: setup
	$(CMAKE) -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DTEGOLUX_BUILD_BENCH=ON \
	  -DTEGOLUX_BUILD_TESTS=OFF
	$(CMAKE) --build $(BENCH_BUILD) --parallel $(JOBS)
	$(BENCH_BUILD)/bench/tegolux_bench $(BENCH_ARGS)

fuzz:
	@scripts/setup.sh fuzz
	$(CMAKE) -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTEGOLUX_BUILD_FUZZ=ON \
	  -DTEGOLUX_BUILD_TESTS=OFF -DTEGOLUX_BUILD_TOOLS=OFF \
	  -DCMAKE_CXX_COMPILER=clang++
	$(CMAKE) --build $(FUZZ_BUILD) --parallel $(JOBS)
	@for f in $(FUZZ_BUILD)/fuzz/fuzz_*; do \
	  [ -x "$$f" ] || continue; \
	  name=$$(basename $$f); mkdir -p $(FUZZ_BUILD)/corpus/$$name; \
	  echo "== $$name for $(FUZZ_SECONDS) s"; \
	  $$f -max_total_time=$(FUZZ_SECONDS) $(FUZZ_BUILD)/corpus/$$name fuzz/seeds/$$name || exit 1; \
	done

format:
	@scripts/setup.sh format
	find src tools tests bench fuzz -name '*.h' -o -name '*.cpp' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)
