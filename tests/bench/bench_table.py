"""Prints the benchmark table from the native benchmark's JSON and the
program benchmarks' "name value" lines:
    bench_table.py TABLE_JSON PROGRAM_TXT LOG_LINES IDLE_SECONDS"""
import json
import os
import platform
import sys

UNIT_MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
# Writing all 78 rows waits 100 ms after each of the ten command frames and
# 50 ms after each slot frame; a read-back's enter frame waits 100 ms more.
PROTOCOL_MINIMUM_WRITE_MS = 10 * 100 + 78 * 50
READ_ENTER_WAIT_MS = 100
# The program's receive timer.
RECEIVE_TICK_MS = 10.0


def native_figures(path):
    with open(path) as source:
        data = json.load(source)
    figures = {}
    for run in data["benchmarks"]:
        if run.get("run_type", "iteration") != "iteration" or run.get("error_occurred"):
            continue
        name = run["name"].split("/")[0]
        figures[name] = (run["real_time"] * UNIT_MS[run["time_unit"]], run["name"].split("/")[-1])
    return figures


def program_figures(path):
    figures = {}
    with open(path) as source:
        for line in source:
            words = line.split()
            # The drivers' other lines (where the program's memory lies, say)
            # end in no number.
            try:
                value = float(words[-1]) if len(words) >= 2 else None
            except ValueError:
                value = None
            if value is not None:
                figures[" ".join(words[:-1])] = value
    return figures


def machine():
    model = "unknown CPU"
    with open("/proc/cpuinfo") as source:
        for line in source:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    load = os.getloadavg()
    return f"{model}, {os.cpu_count()} cores, {platform.system()} {platform.release()}, load average {load[0]:.2f}"


def ratio(figure, reference):
    return f"{figure / reference:.2f}" if figure is not None and reference else "-"


def number(value, digits=1):
    return "-" if value is None else f"{value:.{digits}f}"


def cells_of(shape):
    try:
        rows, columns = (int(part) for part in shape.split("x"))
    except ValueError:
        return None
    return rows * columns


def table_file_rows(native):
    """The grid's own file: SaveFile+LoadFile against stdio doing the same
    durable work on the same bytes, and the format alone per cell."""
    grid, shape = native.get("TableFileSaveLoad", (None, "?"))
    durable, _ = native.get("StdioDurable", (None, "?"))
    stdio, _ = native.get("StdioSameBytes", (None, "?"))
    memory, _ = native.get("TableFormatInMemory", (None, "?"))
    cells = cells_of(shape)
    per_cell = None if memory is None or not cells else memory * 1e6 / cells
    return [
        (f"2 table file SaveFile+LoadFile {shape} (ms)", number(grid, 2), f"durable stdio {number(durable, 2)}",
         ratio(grid, durable), "<= 1.5", "yes" if grid and durable and grid / durable <= 1.5 else "NO"),
        (f"  same, against plain stdio, no flush to disk {shape} (ms)", number(grid, 2),
         f"stdio same bytes {number(stdio, 2)}", ratio(grid, stdio), "(context)", ""),
        ("2 format alone, in memory (ns per cell)", number(per_cell, 1),
         f"{number(memory, 3)} ms for {shape} cells", "-", "<= 40",
         "yes" if per_cell is not None and per_cell <= 40 else "NO"),
    ]


def startup_rows(program):
    """Start-up against the 43-window reference (and, for context, against
    one window)."""
    rows = []
    start = program.get("startup-ms")
    reference = program.get("startup-reference-ms")
    minimal = program.get("startup-minimal-ms")
    libraries = program.get("startup-libraries-ms")
    rows.append(("1 start-up to visible window, median (ms)", number(start), f"43-window reference {number(reference)}",
                 ratio(start, reference), "<= 1.2",
                 "yes" if start and reference and start / reference <= 1.2 else "NO"))
    windows = [program.get(f"startup-{kind}-windows") for kind in ("program", "reference")]
    differences = program.get("startup-reference-window-differences")
    rows.append(("  windows: program / reference, lines that differ", " / ".join(number(n, 0) for n in windows),
                 f"{number(differences, 0)} differ", "-", "(context)", ""))
    rows.append(("  against one window (ms)", number(start), f"minimal window {number(minimal)}",
                 ratio(start, minimal), "(context)", ""))
    rows.append(("  minimal window + the program's system DLLs (ms)", number(libraries),
                 f"minimal window {number(minimal)}", ratio(libraries, minimal), "(context)", ""))
    return rows


def memory_rows(program):
    """The working sets against the 43-window reference's after its start-up."""
    rows = []
    memory_reference = program.get("memory-reference-mb")
    for key, label in (("memory-startup-mb", "5 memory after start-up (MB)"),
                       ("memory-readback-mb", "5 memory after a read-back (MB)")):
        value = program.get(key)
        rows.append((label, number(value), f"43-window reference {number(memory_reference)}",
                     ratio(value, memory_reference), "<= 1.3 (report)",
                     "yes" if value and memory_reference and value / memory_reference <= 1.3 else "NO"))
    return rows


def ticks(milliseconds):
    return None if milliseconds is None else milliseconds / RECEIVE_TICK_MS


def protocol_rows(program):
    """The module protocol's latencies: a read-back against the simulator's
    own pacing of it, and the learned code and the test send in receive
    timer ticks (medians of the runs, the worst run beside them)."""
    rows = []
    read = program.get("readback-ms")
    pacing = program.get("readback-pacing-ms")
    rows.append(("3 read-back of 78 rows, confirmation to 数据提取完成 (ms)", number(read, 0),
                 f"simulator pacing {number(pacing, 0)}", ratio(read, pacing), "<= 1.05",
                 "yes" if read and pacing and read / pacing <= 1.05 else "NO"))
    steps = [program.get(f"readback-{step}-ms") for step in ("confirm-to-enter", "enter-to-request", "tail")]
    rows.append(("  OK to enter frame / enter to read request / read-complete to its line (ms)",
                 " / ".join(number(step) for step in steps), f"worst run's ratio {number(program.get('readback-ratio-max'), 3)}",
                 "-", "(profile)", ""))
    for label, name in (("4 learning: learned code to its log line (10 ms ticks)", "latency"),
                        ("4 test send: 测试 click to the code's frame on the line (10 ms ticks)", "test-send")):
        median = ticks(program.get(f"{name}-ms"))
        worst = ticks(program.get(f"{name}-max-ms"))
        rows.append((label, number(median), f"max {number(worst)} ticks", "-", "<= 3",
                     "yes" if median is not None and median <= 3 else "NO"))
    logged = ticks(program.get("test-send-log-ms"))
    rows.append(("  test send: click to its log line (10 ms ticks)", number(logged),
                 f"max {number(ticks(program.get('test-send-log-max-ms')))} ticks", "-", "(profile)", ""))
    return rows


def main():
    native = native_figures(sys.argv[1])
    program = program_figures(sys.argv[2])
    log_lines = int(sys.argv[3])
    idle_seconds = sys.argv[4]
    rows = []

    rows.extend(startup_rows(program))
    rows.extend(table_file_rows(native))
    rows.extend(protocol_rows(program))
    rows.extend(memory_rows(program))

    # The figures of earlier rounds, kept so that a change cannot lose them.
    rows.append(("earlier figures", "", "", "", "", ""))
    app, _ = native.get("ApplicationTableSaveLoad", (None, ""))
    app_memory, _ = native.get("ApplicationTableFormatInMemory", (None, ""))
    rows.append(("  application table 79x3 save+load (ms)", number(app, 3), "1 ms", ratio(app, 1.0), "< 1 ms",
                 "yes" if app is not None and app < 1.0 else "NO"))
    rows.append(("  format alone, in memory 79x3 (ms)", number(app_memory, 3), "1 ms", ratio(app_memory, 1.0),
                 "(profile)", ""))
    app_synced, _ = native.get("ApplicationSizeStdioSynced", (None, ""))
    rows.append(("  durable write alone: stdio + fsync of the same bytes (ms)", number(app_synced, 3), "1 ms",
                 ratio(app_synced, 1.0), "(profile)", ""))
    rows.append(("  save+load against stdio + fsync of the same bytes", number(app, 3),
                 f"stdio + fsync {number(app_synced, 3)}", ratio(app, app_synced), "(profile)", ""))

    write = program.get("write-ms")
    rows.append(("  write of 78 rows, enter to exit frame (ms)", number(write, 0),
                 f"protocol minimum {PROTOCOL_MINIMUM_WRITE_MS}", ratio(write, PROTOCOL_MINIMUM_WRITE_MS), "<= 1.05",
                 "yes" if write and write / PROTOCOL_MINIMUM_WRITE_MS <= 1.05 else "NO"))
    verify = program.get("module-write-verify-line-ms")
    pacing = program.get("module-readback-pacing-ms")
    verify_rows = program.get("module-write-verify-rows")
    minimum = None if pacing is None else PROTOCOL_MINIMUM_WRITE_MS + READ_ENTER_WAIT_MS + pacing
    rows.append((f"  veltrano-module write --verify, {number(verify_rows, 0)} rows, on the line (ms)",
                 number(verify, 0), f"protocol minimum + read-back pacing {number(minimum, 0)}",
                 ratio(verify, minimum), "<= 1.02", "yes" if verify and minimum and verify / minimum <= 1.02 else "NO"))
    process = program.get("module-write-verify-process-ms")
    rows.append(("  the same, process start to exit (ms)", number(process, 0),
                 f"protocol minimum + read-back pacing {number(minimum, 0)}", ratio(process, minimum), "(profile)", ""))
    one = program.get("module-write-verify-one-ms")
    three = program.get("module-write-verify-three-ms")
    rows.append(("  three modules in parallel vs one, process (ms)", number(three, 0), f"one module {number(one, 0)}",
                 ratio(three, one), "<= 1.1", "yes" if three and one and three / one <= 1.1 else "NO"))

    idle = program.get("idle-proc-percent")
    server = program.get("idle-wineserver-percent")
    rows.append((f"  idle CPU, port open, {idle_seconds} s (% of one core)", number(idle, 2), "-", "-", "< 2 %",
                 "yes" if idle is not None and idle < 2 else "NO"))
    rows.append(("  wineserver meanwhile (% of one core)", number(server, 2), "-", "-", "(profile)", ""))
    closed = program.get("idle-closed-proc-percent")
    closed_server = program.get("idle-closed-wineserver-percent")
    rows.append(("  port closed, no polling: program / wineserver (%)",
                 f"{number(closed, 2)} / {number(closed_server, 2)}", "-", "-", "(profile)", ""))

    early = program.get("log-append-us 100")
    late = program.get(f"log-append-us {log_lines}")
    rows.append((f"  log append, line {log_lines} vs line 100 (us)", number(late), f"line 100 {number(early)}",
                 ratio(late, early), "report", ""))
    for kind in ("component", "system-edit"):
        steps = [program.get(f"log-step-us {kind} {step}") for step in ("length", "select", "scroll-caret", "replace")]
        rows.append((f"  {kind} at line {log_lines}: length/select/scroll/replace (us)",
                     " / ".join(number(step, 0) for step in steps), "-", "-", "(profile)", ""))

    headers = ("figure", "value", "reference (same run)", "ratio", "target", "met")
    widths = [max(len(str(row[i])) for row in rows + [headers]) for i in range(len(headers))]
    print(f"Machine: {machine()}")
    print(" | ".join(h.ljust(w) for h, w in zip(headers, widths)))
    print("-+-".join("-" * w for w in widths))
    for row in rows:
        print(" | ".join(str(cell).ljust(w) for cell, w in zip(row, widths)))


if __name__ == "__main__":
    main()
