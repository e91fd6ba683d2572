"""mv2tool from a terminal, natively: its commands on recording files, and
downloads from the logger simulator on a pseudo-terminal that the tool opens
by its path. MV2TOOL names the tool, MV2TOOL_SCRATCH a folder it may use."""
import os
import re
import shutil
import subprocess
import sys
import time
import unittest

TOOL = os.environ.get("MV2TOOL", "build/native/mv2tool")
SCRATCH = os.path.abspath(os.environ.get("MV2TOOL_SCRATCH", "build/native/tool-files"))
ROOT = os.path.join(os.path.dirname(__file__), "..", "..")
SIMULATOR = os.path.join(ROOT, "tools", "logger_sim.py")
SAMPLES = 840
NO_FLOW = "speed=19200 data=8 parity=none stop=1 crtscts=0 ixon=0 ixoff=0\n"


def recording_bytes(texts=(" ", " ", " ", " "), stamp=(2015, 6, 2, 2, 5, 0), ch1=None, ch2=None):
    """A recording file, written here as plainly as the format says."""
    ch1 = ch1 or [(i * 7) % 4096 for i in range(SAMPLES)]
    ch2 = ch2 or [(4095 - i) for i in range(SAMPLES)]
    lines = ["MARVEK2", *texts, *map(str, stamp)]
    for n in range(SAMPLES):
        lines += ["NO %d" % (n + 1), str(ch1[n]), str(ch2[n])]
    return "".join(line + "\r\n" for line in lines).encode("cp932")


def run(*args, timeout=60):
    started = time.monotonic()
    done = subprocess.run([TOOL, *args], capture_output=True, timeout=timeout)
    return done.returncode, done.stdout.decode("utf-8"), done.stderr.decode("utf-8"), \
        time.monotonic() - started


class Folder(unittest.TestCase):
    def setUp(self):
        self.folder = os.path.join(SCRATCH, self.id().split(".")[-1])
        shutil.rmtree(self.folder, ignore_errors=True)
        os.makedirs(self.folder)

    def path(self, name):
        return os.path.join(self.folder, name)

    def write(self, name, data):
        with open(self.path(name), "wb") as f:
            f.write(data)
        return self.path(name)

    def read(self, name):
        with open(self.path(name), "rb") as f:
            return f.read()


class Files(Folder):
    def test_csv_to_a_file_and_to_standard_output(self):
        counts = [i % 300 for i in range(SAMPLES)]
        source = self.write("day.mv2", recording_bytes(
            ("屋上", "東, \"A\"", " ", " "), (2015, 6, 2, 2, 23, 30), counts, [-1] * SAMPLES))
        expected = "\ufeff番号,日時,\"東, \"\"A\"\" (lx)\",CH2 (lx)\r\n"
        for n in range(1, SAMPLES + 1):
            minute = 23 * 60 + 30 + n - 1
            day, minute = (2, minute) if minute < 1440 else (3, minute - 1440)
            expected += "%d,2015/06/%02d %02d:%02d,%d,-50\r\n" % (
                n, day, minute // 60, minute % 60, counts[n - 1] * 50)
        status, out, _, _ = run("csv", source)
        self.assertEqual(status, 0)
        self.assertEqual(out, expected)
        self.write("out.csv", b"older")
        self.assertEqual(run("csv", source, self.path("out.csv"))[0], 0)
        self.assertEqual(self.read("out.csv").decode("utf-8"), expected)
        self.assertEqual(sorted(os.listdir(self.folder)), ["day.mv2", "out.csv"])

    def test_stats_with_the_default_and_a_given_threshold(self):
        ch1 = [10] * SAMPLES
        ch1[100], ch1[700] = 900, -2
        source = self.write("day.mv2", recording_bytes(ch1=ch1, ch2=list(range(SAMPLES))))
        header = ("channel\tmax_lux\tmax_time\tmin_lux\tmin_time\tmean_lux\tdose_lxh\t"
                  "above_threshold\tthreshold_lux\n")
        status, out, _, _ = run("stats", source)
        self.assertEqual(status, 0)
        self.assertEqual(out, header +
                         "CH1\t45000\t6:40\t-100\t16:40\t552.3\t7731.7\t13:59\t500\n"
                         "CH2\t41950\t18:59\t0\t5:00\t20975.0\t293650.0\t13:50\t500\n")
        out = run("stats", source, "--threshold", "1000")[1]
        self.assertIn("CH2\t41950\t18:59\t0\t5:00\t20975.0\t293650.0\t13:40\t1000\n", out)
        for bad in ("", "123456789", "-5", "x"):
            self.assertEqual(run("stats", source, "--threshold", bad)[0], 2, bad)

    def test_check_names_every_file_and_its_reason(self):
        good = self.write("good.mv2", recording_bytes())
        short = self.write("short.mv2", recording_bytes()[:5000])
        wrong = self.write("wrong.mv2", b"marvek2\r\n" + recording_bytes()[9:])
        missing = self.path("missing.mv2")
        status, out, _, _ = run("check", good, short, wrong, missing)
        self.assertEqual(status, 1)
        self.assertEqual(out, "%s\tok\n%s\tファイルが違います\n%s\tファイルが違います\n"
                              "%s\tファイルが読めません\n" % (good, short, wrong, missing))
        self.assertEqual(run("check", good)[0], 0)
        status, _, err, _ = run("csv", missing)
        self.assertEqual((status, err), (1, "mv2tool: %s: ファイルが読めません\n" % missing))

    def test_summary_of_days_in_the_list_dialogs_order_with_their_total(self):
        def day(stamp, title, ch1, ch2, ch2_minutes):
            return recording_bytes((title, " ", " ", " "), stamp, [ch1] * SAMPLES,
                                   [ch2 if i < ch2_minutes else 0 for i in range(SAMPLES)])
        # The same days as the window's list test, worked out by hand there.
        self.write("d2.mv2", day((2015, 6, 2, 2, 5, 0), "a,b", 20, 40, 60))
        self.write("d1.mv2", day((2015, 6, 1, 1, 5, 0), "東の窓", 10, 0, 0))
        self.write("d3.mv2", day((2015, 6, 3, 3, 6, 30), "tab\there", 4, 0, 0))
        self.write("clock.mv2", day((0, 0, 0, 0, 0, 0), " ", 1, 0, 0))
        self.write("broken.mv2", b"MARVEK2\r\n")
        names = ["broken.mv2", "d3.mv2", "clock.mv2", "d1.mv2", "d2.mv2"]
        done = subprocess.run([os.path.abspath(TOOL), "summary", *names], cwd=self.folder,
                              capture_output=True)
        self.assertEqual(done.returncode, 1)  # one file could not be read
        self.assertEqual(done.stdout.decode("utf-8"),
                         "file\tstart\ttitle\tch1_max_lux\tch1_mean_lux\tch1_dose_lxh\t"
                         "ch1_above_threshold\tch2_max_lux\tch2_mean_lux\tch2_dose_lxh\t"
                         "ch2_above_threshold\n"
                         "d1.mv2\t2015/06/01 05:00\t東の窓\t500\t500.0\t7000.0\t14:00\t0\t0.0\t0.0\t0:00\n"
                         "d2.mv2\t2015/06/02 05:00\ta,b\t1000\t1000.0\t14000.0\t14:00\t2000\t142.9\t"
                         "2000.0\t1:00\n"
                         "d3.mv2\t2015/06/03 06:30\ttab here\t200\t200.0\t2800.0\t0:00\t0\t0.0\t0.0\t0:00\n"
                         "clock.mv2\t\t\t50\t50.0\t700.0\t0:00\t0\t0.0\t0.0\t0:00\n"
                         "broken.mv2\t\tファイルが違います\t\t\t\t\t\t\t\t\n"
                         "合計\t\t\t1000\t437.5\t24500.0\t28:00\t2000\t35.7\t2000.0\t1:00\n")
        out = run("summary", self.path("d1.mv2"), "--threshold", "600")[1]
        self.assertIn("\t0:00\t0\t0.0\t0.0\t0:00\n合計", out)
        # Against a yearly budget: each row's share of it, and the total's.
        # 7000.0 of 150000 lx·h is 4.7 %, 14000.0 is 9.3 %, 2000.0 is 1.3 %.
        lines = run("summary", *[self.path(n) for n in names], "--budget", "150000")[1].splitlines()
        self.assertTrue(lines[0].endswith("\tch2_above_threshold\tch1_budget_percent\tch2_budget_percent"))
        self.assertTrue(lines[1].endswith("\t0:00\t4.7\t0.0"))
        self.assertTrue(lines[2].endswith("\t1:00\t9.3\t1.3"))
        self.assertTrue(lines[5].endswith("\t\t"))  # the file that cannot be read
        self.assertTrue(lines[6].startswith("合計") and lines[6].endswith("\t16.3\t1.3"))
        for args in (("summary",), ("summary", "--threshold", "5"), ("summary", "x", "--threshold"),
                     ("summary", "x", "--budget", "0"), ("summary", "x", "--budget", "12345678901"),
                     ("summary", "x", "--budget", "1e5"), ("summary", "x", "--budget")):
            self.assertEqual(run(*args)[0], 2, args)

    def test_period_figures_of_the_days_given_in_the_list_dialogs_order(self):
        def day(stamp, ch1, ch2, ch2_minutes):
            return recording_bytes((" ", " ", " ", " "), stamp, [ch1] * SAMPLES,
                                   [ch2 if i < ch2_minutes else 0 for i in range(SAMPLES)])
        self.write("d2.mv2", day((2015, 6, 2, 2, 5, 0), 20, 40, 60))
        self.write("d1.mv2", day((2015, 6, 1, 1, 5, 0), 10, 0, 0))
        self.write("d3.mv2", day((2015, 6, 3, 3, 6, 30), 4, 0, 0))
        self.write("clock.mv2", day((0, 0, 0, 0, 0, 0), 1, 0, 0))  # left out: no real date
        self.write("broken.mv2", b"MARVEK2\r\n")
        names = ["broken.mv2", "d3.mv2", "clock.mv2", "d1.mv2", "d2.mv2"]
        done = subprocess.run([os.path.abspath(TOOL), "period", *names, "--budget", "150000"],
                              cwd=self.folder, capture_output=True)
        self.assertEqual(done.returncode, 0)
        self.assertEqual(done.stderr.decode("utf-8"), "broken.mv2\tファイルが違います\n")
        # By hand: 500, 1000 and 200 lx through 8:00-18:00 on CH1; CH2's
        # 2000 lx is before 6:00. 積算 7000 + 14000 + 2800, and 2000.
        self.assertEqual(done.stdout.decode("utf-8"),
                         "figure\tch1\tch2\n"
                         "days\t3\t3\n"
                         "days_recorded\t3\t3\n"
                         "coverage_percent\t100.0\t100.0\n"
                         "udi_fell_short_percent\t0.0\t100.0\n"
                         "udi_supplementary_percent\t33.3\t0.0\n"
                         "udi_autonomous_percent\t66.7\t0.0\n"
                         "udi_exceeded_percent\t0.0\t0.0\n"
                         "da_percent\t66.7\t0.0\n"
                         "cda_percent\t80.0\t0.0\n"
                         "above_1000_minutes\t0\t0\n"
                         "integrated_lxh\t23800.0\t2000.0\n"
                         "budget_percent\t15.9\t1.3\n"
                         "budget_used_up\t2015/6/19\t2016/1/11\n")
        # Other hours, no threshold given: 500 as in summary; 5:00-6:00 sees CH2.
        out = run("period", self.path("d2.mv2"), "--hours", "5:00-6:00", "--threshold", "1000")[1]
        self.assertIn("\nudi_exceeded_percent\t0.0\t0.0\n", out)
        self.assertIn("\nda_percent\t100.0\t100.0\n", out)
        self.assertIn("\nbudget_percent\t\t\n", out)
        for bad in (["--hours", "18:00-8:00"], ["--hours", "8-18"], ["--threshold", "x"],
                    ["--budget"]):
            self.assertEqual(run("period", self.path("d1.mv2"), *bad)[0], 2, bad)
        self.assertEqual(run("period", self.path("broken.mv2"))[0], 1)

    def test_usage_help_and_version(self):
        for args in ((), ("frobnicate",), ("csv",), ("check",), ("download", "x")):
            status, out, err, _ = run(*args)
            self.assertEqual(status, 2, args)
            self.assertEqual(out, "")
            self.assertTrue(err.startswith("usage: mv2tool"), args)
        status, out, _, _ = run("--help")
        self.assertEqual(status, 0)
        self.assertTrue(out.startswith("usage: mv2tool"))
        version = re.search(r"project\(marvek2 VERSION ([0-9.]+)",
                            open(os.path.join(ROOT, "CMakeLists.txt")).read()).group(1)
        self.assertEqual(run("--version")[:2], (0, "mv2tool %s\n" % version))

    def test_ports_lists_the_machines_ports_and_auto_searches_them(self):
        status, out, err, _ = run("ports")
        self.assertEqual((status, err), (0, ""))
        for line in out.splitlines():
            self.assertEqual(line.count("\t"), 1, line)
            self.assertTrue(line.startswith("/dev/"), line)
        if out == "":  # a machine without serial adapters
            status, _, err, _ = run("download", "auto", self.path("out.mv2"))
            self.assertEqual((status, err), (3, "mv2tool: auto: ポートがオープン出来ません\n"))


class Download(Folder):
    def start_logger(self, fault="none", flow_control_left_on=False):
        self.link = self.path("logger")
        self.sent = self.write("sent.mv2", recording_bytes(texts=("t", "a", "b", "m")))
        args = [sys.executable, SIMULATOR, "--link", self.link, "--fault", fault,
                "--recording", self.sent, "--ready-file", self.path("ready"),
                "--stop-file", self.path("stop"), "--log", self.path("heard"),
                "--settings-log", self.path("settings"), "--lifetime", "60"]
        if flow_control_left_on:
            args.append("--flow-control-left-on")
        self.logger = subprocess.Popen(args, stdout=subprocess.DEVNULL)
        for _ in range(200):
            if os.path.exists(self.path("ready")):
                return
            time.sleep(0.05)
        self.fail("the simulator did not start")

    def tearDown(self):
        if hasattr(self, "logger"):
            self.write("stop", b"")
            try:
                self.logger.wait(10)
            except subprocess.TimeoutExpired:
                self.logger.kill()

    def logged(self, name):
        return self.read(name).decode() if os.path.exists(self.path(name)) else ""

    def test_a_good_download_is_written_as_save_as_would(self):
        for flow_control_left_on in (False, True):
            with self.subTest(flow_control_left_on=flow_control_left_on):
                self.start_logger(flow_control_left_on=flow_control_left_on)
                status, _, err, took = run("download", self.link, self.path("out.mv2"))
                self.assertEqual((status, err), (0, ""))
                self.assertEqual(self.read("out.mv2"), recording_bytes())  # texts as " "
                self.assertEqual(self.logged("settings"), NO_FLOW)
                self.assertLess(took, 5)
                self.tearDown()
                os.remove(self.path("settings"))
                os.remove(self.path("ready"))
                os.remove(self.path("stop"))

    def test_loggers_that_fail_leave_the_output_as_it_was(self):
        cases = (("silent", "通信できません", 4.5, 7),
                 ("non-hex", "受信データが正しくありません", 0, 5),
                 ("trickle", "通信できません", 20, 25.5))
        for fault, message, fastest, slowest in cases:
            with self.subTest(fault=fault):
                self.start_logger(fault)
                self.write("out.mv2", b"earlier")
                status, _, err, took = run("download", self.link, self.path("out.mv2"))
                self.assertEqual((status, err), (3, "mv2tool: %s: %s\n" % (self.link, message)))
                self.assertTrue(fastest <= took <= slowest, took)
                self.assertEqual(self.read("out.mv2"), b"earlier")
                self.assertEqual(sorted(f for f in os.listdir(self.folder) if f.startswith(".")), [])
                self.tearDown()
                for name in ("ready", "stop", "settings", "heard"):
                    if os.path.exists(self.path(name)):
                        os.remove(self.path(name))

    def test_a_missing_device_and_an_unwritable_output(self):
        status, _, err, _ = run("download", self.path("no-such-tty"), self.path("out.mv2"))
        self.assertEqual((status, err),
                         (3, "mv2tool: %s: ポートがオープン出来ません\n" % self.path("no-such-tty")))
        self.start_logger()
        blocked = os.path.join(self.write("plain", b"x"), "out.mv2")
        status, _, err, _ = run("download", self.link, blocked)
        self.assertEqual((status, err), (4, "mv2tool: %s: ファイルが作れません\n" % blocked))
        time.sleep(0.3)
        self.assertEqual(self.logged("heard"), "", "the logger was asked")


if __name__ == "__main__":
    unittest.main()
