"""Reads window_generate_bench.sh's times and the window's progress log:
prints the medians of the window's and the command's times, their ratio,
and the error of the remaining-time estimates from the 20 % mark on (of
the bar as the run filled it: the render's steps, and the rendition's after
them when it was made)."""
import statistics
import sys



def runs_of(log_path):
    """The progress log split into runs: lists of (kind, ms, fields)."""
    runs, current = [], []
    for line in open(log_path):
        kind, ms, *rest = line.split()
        current.append((kind, int(ms), rest))
        if kind == "done":
            runs.append(current)
            current = []
    return runs


def estimate_errors(run):
    """For each estimate at or past the 20 % mark: the shown remaining time
    against the real one, relative to the real remaining time and to the
    whole run."""
    end = run[-1][1]
    steps = max(int(rest[0]) for kind, _, rest in run if kind == "step")
    errors = []
    for kind, ms, rest in run:
        if kind != "estimate" or rest[1] == "-" or int(rest[0]) < 0.2 * steps:
            continue
        shown, real = int(rest[1]), (end - ms) / 1000
        errors.append((int(rest[0]), ms / 1000, shown, real, abs(shown - real) / (end / 1000)))
    return errors


def main(times_path, log_path):
    times = {"window": [], "command": []}
    for line in open(times_path):
        who, _, seconds = line.split()
        times[who].append(float(seconds))
    window, command = statistics.median(times["window"]), statistics.median(times["command"])
    print(f"window Generate: median {window:.2f} s of {times['window']}")
    print(f"brisolt compose: median {command:.2f} s of {times['command']}")
    print(f"ratio window / command: {window / command:.2f}")
    worst_whole, worst_left = 0.0, 0.0
    for number, run in enumerate(runs_of(log_path), 1):
        errors = estimate_errors(run)
        if not errors:
            continue
        whole = max(e[4] for e in errors)
        # Relative to the time really left, where a whole-second display can
        # be told apart from it (at least 2 s left).
        left = [abs(e[2] - e[3]) / e[3] for e in errors if e[3] >= 2]
        worst_whole = max(worst_whole, whole)
        if left:
            worst_left = max(worst_left, max(left))
        print(f"run {number}: {len(errors)} estimates from 20 %, end at {run[-1][1] / 1000:.2f} s; "
              f"worst error {100 * whole:.0f} % of the run" +
              (f", {100 * max(left):.0f} % of the time left (>= 2 s left)" if left else ""))
    print(f"estimate error from 20 % on: at most {100 * worst_whole:.0f} % of the run's time, "
          f"{100 * worst_left:.0f} % of the time left")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
