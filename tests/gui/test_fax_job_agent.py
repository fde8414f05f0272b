"""Faxing from any application: a document printed to the held fax queue (as any program prints,
here with lp) is shown by the fax job agent in the print dialog, and finished there."""

import os
import shlex
import signal
import subprocess
import unittest

from guitest import GuiTest, wait_for

KEY = "com.norvale.m.corvexa.printsettings."


class FaxJobAgentTest(GuiTest):
    def start_agent(self, *options):
        self.server = self.fax_queue(*options)
        self.agent = self.start("fax-job-agent")

    def dialogs(self):
        """How many dialog processes are on the desktop."""
        return sum(1 for app in self.atspi.Registry.getDesktop(0)
                   if app and app.name == "print-dialog")

    def dialog_for(self, title):
        """The agent's dialog, showing the held job's title; its Print window."""
        self.app = self.application("print-dialog")
        window = self.window(self.app, "Print")
        self.find(window, "label", "Document: " + title)
        return window

    def send(self, window, number):
        sheet = self.open_sheet_from(self.app, window)
        self.add_recipient(sheet, "Max Mustermann", number)
        self.click(self.find(sheet, "push button", "Start Sending"))

    def recorded(self):
        """The options of each job the queue's backend received, one dictionary per job."""
        path = os.path.join(self.server.records, "options")
        if not os.path.exists(path):
            return []
        return [dict(option.split("=", 1) for option in shlex.split(line))
                for line in open(path).read().splitlines()]

    def lpstat(self, *options):
        return subprocess.run(["lpstat", *options], capture_output=True, text=True).stdout

    def held_jobs(self):
        return self.lpstat("-o", self.server.queue)

    def test_held_job_is_sent_with_every_fax_setting(self):
        self.server = self.fax_queue()
        # Held before the agent starts; its title is shown as written, never as markup.
        self.lp(self.server.queue, "Quarterly <b>report</b>")
        self.agent = self.start("fax-job-agent")
        self.send(self.dialog_for("Quarterly <b>report</b>"), "0301234567")
        options = wait_for("the fax job at the printer", self.recorded)[0]
        self.assertEqual(options[KEY + "SFaxCoverSenderName"], "Ada Lovelace")
        self.assertEqual(options[KEY + "SFaxDestinationNumber"], "1")
        self.assertIn("0301234567", options.values())
        self.assertEqual(options["NVFaxSenderMode"], "Name")
        for choice in ("NVFaxImageQuality", "NVFaxTransmissionReport", "NVFaxCoverPageMode"):
            self.assertIn(choice, options)

    def test_jobs_are_shown_one_after_another_and_cancel_cancels_them(self):
        self.start_agent()
        self.lp(self.server.queue, "Someone else's letter", "-U", "nobody-else")
        self.lp(self.server.queue, "First letter")
        self.lp(self.server.queue, "Second letter")
        # The oldest held job is another user's: the agent passes it by.
        for title in ("First letter", "Second letter"):
            window = self.dialog_for(title)
            self.assertEqual(self.dialogs(), 1)
            self.click(self.find(window, "push button", "Cancel"))
            self.gone(self.app, "Print")
        self.assertEqual(self.held_jobs().count("\n"), 1)  # the other user's job, untouched
        self.assertEqual(self.recorded(), [])

    def test_job_released_elsewhere_closes_its_dialog_with_a_message(self):
        self.start_agent()
        job = self.lp(self.server.queue, "Invoice")
        self.dialog_for("Invoice")
        subprocess.run(["lp", "-i", str(job), "-H", "resume"], check=True)
        message = self.window(self.app, "Fax Job Changed")
        self.assertIn("was released meanwhile", "\n".join(
            label.name for label in self.find_all(message, "label")))
        self.click(self.find(message, "push button", "OK"))
        wait_for("the dialog to end", lambda: self.dialogs() == 0)
        wait_for("the job at the printer", lambda: not self.held_jobs() and self.recorded())

    def test_agent_subscribes_again_after_the_server_restarts(self):
        self.start_agent()
        self.server.send_signal(signal.SIGUSR1)  # cupsd stops ...
        wait_for("cupsd to stop", lambda: "not running" in self.lpstat("-r"))
        # ... a change signalled meanwhile finds it gone ...
        subprocess.run(["dbus-send", "--bus=" + os.environ["DBUS_SYSTEM_BUS_ADDRESS"],
                        "--type=signal", "/com/redhat/PrinterSpooler",
                        "com.redhat.PrinterSpooler.QueueChanged", "string:"], check=True)
        wait_for("the agent to find it gone",
                 lambda: "trying again" in self.agent.stdout.readline())
        self.server.send_signal(signal.SIGUSR2)  # ... and it starts again
        wait_for("cupsd to start", lambda: "is running" in self.lpstat("-r"))
        self.lp(self.server.queue, "After the restart")
        self.send(self.dialog_for("After the restart"), "0307654321")
        wait_for("the fax job at the printer", self.recorded)

    def test_refused_attributes_leave_the_job_held(self):
        self.start_agent("--refuse", "Set-Job-Attributes")
        job = self.lp(self.server.queue, "Contract")
        window = self.dialog_for("Contract")
        self.send(window, "0301234567")
        said = wait_for("the refusal", lambda: [label.name for label in self.find_all(
            window, "label") if "still held" in label.name])
        self.assertIn("refused", said[0])
        self.assertIn("%s-%d" % (self.server.queue, job), self.held_jobs())
        self.assertEqual(self.recorded(), [])


if __name__ == "__main__":
    unittest.main()
