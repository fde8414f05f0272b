"""The print dialog with the fax pane on the demo fax printer, as a person uses it."""

import re
import unittest

from guitest import GuiTest, wait_for

KEY = "com.norvale.m.corvexa.printsettings."


class PrintDialogTest(GuiTest):
    def open_dialog(self):
        self.dialog = self.start("print-dialog", "--printer", "NorvaleDemoFax")
        self.app = self.application("print-dialog")
        return self.window(self.app, "Print")

    def open_sheet(self, sender="Ada Lovelace"):
        """Types the sender's name into the pane and presses Print: the sheet opens."""
        pane = self.open_dialog()
        self.choose(self.find(pane, "combo box", "Registered on Device"), "Sender Name")
        self.type(self.find(pane, "text", "Sender Name"), sender)
        self.click(self.find(pane, "push button", "Print"))
        return self.window(self.app, "Fax Settings")

    def add_recipient(self, sheet, name, number):
        self.type(self.find(sheet, "text", "Name"), name)
        self.type(self.find(sheet, "text", "Fax Number"), number)
        self.click(self.find(sheet, "push button", "Add"))

    def test_fax_with_typed_delayed_time_is_spooled_and_ends_the_dialog(self):
        sheet = self.open_sheet()
        self.add_recipient(sheet, "Max Mustermann", "0301234567")
        self.click(self.find(sheet, "check box", "Send later at"))
        time_field = self.find(sheet, "spin button", "Time")
        box = time_field.queryComponent().getExtents(self.atspi.DESKTOP_COORDS)
        self.xdotool("mousemove", box.x + 10, box.y + box.height // 2, "click", 1)  # the hour
        self.xdotool("type", "--delay", 50, "2245")
        self.type(self.find(sheet, "password text", "Password"), "1234")
        self.click(self.find(sheet, "push button", "Start Sending"))

        self.assertEqual(self.exit_status(self.dialog), 0)
        said = self.dialog.stdout.read()
        record = re.search(r'as "(.*)"\.', said).group(1)
        options = dict(line.split("=", 1) for line in open(record).read().splitlines()
                       if not line.startswith("#"))
        self.assertEqual(options[KEY + "SFaxDelayedPrint"], "1")
        self.assertEqual(options[KEY + "SFaxDelayedTime"], "22:45")
        self.assertEqual(options[KEY + "SFaxCoverSenderName"], "Ada Lovelace")
        self.assertIn("0301234567", options.values())

    def test_cancel_ends_the_dialog_without_a_job(self):
        pane = self.open_dialog()
        self.click(self.find(pane, "push button", "Cancel"))
        self.assertEqual(self.exit_status(self.dialog), 1)
        self.assertEqual(self.dialog.stdout.read(), "")

    def test_stop_returns_to_the_dialog_and_print_shows_the_sheet_again(self):
        sheet = self.open_sheet()
        self.add_recipient(sheet, "Max Mustermann", "0301234567")
        self.click(self.find(sheet, "push button", "Stop"))
        self.gone(self.app, "Fax Settings")
        pane = self.window(self.app, "Print")
        self.click(self.find(pane, "push button", "Print"))
        sheet = self.window(self.app, "Fax Settings")
        self.assertEqual(self.rows(self.find(sheet, "tree", "Recipients")), [])
        self.click(self.find(sheet, "push button", "Stop"))
        self.click(self.find(pane, "push button", "Cancel"))
        self.assertEqual(self.exit_status(self.dialog), 1)

    def test_pasted_sender_name_with_an_accent_is_refused_with_a_message(self):
        pane = self.open_dialog()
        self.choose(self.find(pane, "combo box", "Registered on Device"), "Sender Name")
        self.start_service(["xclip", "-quiet", "-selection", "clipboard"],
                           stdin=open(self.write_file("clip", "Zo\u00eb Smith")))
        self.click(self.find(pane, "text", "Sender Name"))
        self.key("ctrl+v")
        self.click(self.find(pane, "push button", "Print"))
        message = self.window(self.app, "Fax")
        self.find(message, "label", "The sender name can have at most 30 letters, digits, spaces "
                  "and punctuation marks (no accented letters).")
        self.click(self.find(message, "push button", "OK"))
        self.gone(self.app, "Fax")
        self.assertFalse(any(w.name == "Fax Settings" for w in self.app))
        self.click(self.find(pane, "push button", "Cancel"))
        self.assertEqual(self.exit_status(self.dialog), 1)

if __name__ == "__main__":
    unittest.main()
