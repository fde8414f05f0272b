"""The print dialog with the fax pane on the demo fax printer, as a person uses it."""

import os
import re
import signal
import unittest

from guitest import GuiTest, wait_for

KEY = "com.norvale.m.corvexa.printsettings."


class PrintDialogTest(GuiTest):
    def open_dialog(self):
        self.dialog = self.start("print-dialog", "--printer", "NorvaleDemoFax")
        self.app = self.application("print-dialog")
        return self.window(self.app, "Print")

    def open_sheet(self):
        pane = self.open_dialog()
        return self.open_sheet_from(self.app, pane)

    def answer_message(self, text):
        """The plug-in's message window says the text; OK closes it."""
        message = self.window(self.app, "Fax")
        self.assertIn(text, "\n".join(label.name for label in self.find_all(message, "label")))
        self.click(self.find(message, "push button", "OK"))
        self.gone(self.app, "Fax")

    def name_column_width(self, table):
        return table[0].queryComponent().getExtents(self.atspi.DESKTOP_COORDS).width

    def test_fax_with_typed_delayed_time_is_spooled_and_ends_the_dialog(self):
        sheet = self.open_sheet()
        recipients = self.find(sheet, "tree", "Recipients")
        self.add_recipient(sheet, "Max Mustermann", "0301234567")
        short_names = self.name_column_width(recipients)
        self.add_recipient(sheet, "Maximiliane Mustermann-Schneider", "0307654321")
        # The name column widens for a longer name and leaves the number column in the list.
        self.assertGreater(self.name_column_width(recipients), short_names)
        self.assertLessEqual(sum(header.queryComponent().getExtents(0).width
                                 for header in list(recipients)[:2]),
                             recipients.queryComponent().getExtents(0).width)
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
        self.assertIn("Maximiliane Mustermann-Schneider", options.values())

    def test_address_book_look_up_adds_a_found_entry(self):
        self.demo_book()
        sheet = self.open_sheet()
        self.click(self.find(sheet, "push button", "Address Book..."))
        window = self.window(self.app, "Recipients")
        self.assert_named_by_labels(window)
        self.type(self.find(window, "text", "Search Address Book"), "Hana")
        entries = self.find(window, "tree", "Address Book Entries")
        hana = ["Hana Kobayashi", "+81 6 6341 8888"]
        wait_for("the search", lambda: self.rows(entries) == [hana])
        self.click(entries.queryTable().getAccessibleAt(0, 0))
        self.click(self.find(window, "push button", "Add"))
        self.assertEqual(self.rows(self.find(window, "tree", "Recipients")), [hana])
        self.click(self.find(window, "push button", "OK"))
        self.gone(self.app, "Recipients")
        self.assertEqual(self.rows(self.find(sheet, "tree", "Recipients")), [hana])

    def test_cancel_or_a_stop_request_ends_the_dialog_without_a_job(self):
        pane = self.open_dialog()
        self.click(self.find(pane, "push button", "Cancel"))
        self.assertEqual(self.exit_status(self.dialog), 1)
        self.assertEqual(self.dialog.stdout.read(), "")
        # Asked to stop while the sheet is open (SIGTERM: the session ends), it ends alike.
        self.open_sheet()
        self.dialog.send_signal(signal.SIGTERM)
        self.assertEqual(self.exit_status(self.dialog), 1)
        self.assertFalse(os.path.exists(os.environ["NV_DEMO_SPOOL"]))

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
        self.assertFalse(os.path.exists(os.environ["NV_DEMO_SPOOL"]))  # nothing was printed

    def test_pasted_sender_name_with_an_accent_is_refused_with_a_message(self):
        pane = self.open_dialog()
        self.choose(self.find(pane, "combo box", "Registered on Device"), "Sender Name")
        self.start_service(["xclip", "-quiet", "-selection", "clipboard"],
                           stdin=open(self.write_file("clip", "Zo\u00eb Smith")))
        self.click(self.find(pane, "text", "Sender Name"))
        self.key("ctrl+v")
        self.click(self.find(pane, "push button", "Print"))
        self.answer_message("The sender name can have at most 30 letters, digits, spaces and "
                            "punctuation marks (no accented letters).")
        self.assertFalse(self.windows(self.app, "Fax Settings"))
        self.click(self.find(pane, "push button", "Cancel"))
        self.assertEqual(self.exit_status(self.dialog), 1)

    def test_device_look_up_asks_for_the_right_password_and_every_field_is_named(self):
        self.demo_device("1234")
        sheet = self.open_sheet()
        self.assert_named_by_labels(self.find(self.window(self.app, "Print"), "label",
                                              "Image Quality:").parent)
        self.assert_named_by_labels(sheet)
        password = self.find(sheet, "password text", "Password")
        self.type(password, "9999")
        self.click(self.find(sheet, "push button", "Device Address Book..."))
        self.answer_message("The printer needs its fax password to show its address book: "
                            "enter the right one under Authorisation.")
        window = self.window(self.app, "Recipients")
        self.click(self.find(window, "push button", "Cancel"))

        self.type(password, "\b" * 4 + "1234")
        self.click(self.find(sheet, "push button", "Device Address Book..."))
        window = self.window(self.app, "Recipients")
        self.assert_named_by_labels(window)
        entries = self.find(window, "tree", "Device Entries")
        rows = wait_for("the device's entries", lambda: self.rows(entries))
        self.assertIn(["Anna Schmidt", "+49 30 2345 6789"], rows)
        names = [row[0] for row in rows]
        for name in ("Anna Schmidt", "Sales Europe"):  # an entry's and a group's properties
            self.click(entries.queryTable().getAccessibleAt(names.index(name), 0))
            self.click(self.find(window, "push button", "Properties..."))
            properties = self.window(self.app, "Properties...")
            self.assert_named_by_labels(properties)
            self.click(self.find(properties, "push button", "OK"))
            self.gone(self.app, "Properties...")
        self.click(self.find(window, "push button", "OK"))

    def assert_named_by_labels(self, window):
        """Every input field is named by its label, without the colon. A popup is announced by
        its choice on Linux and by its label through the labelled-by relation."""
        inputs = [node for role in ("text", "password text", "spin button", "tree", "combo box")
                  for node in self.find_all(window, role)]
        self.assertTrue(inputs)
        for field in inputs:
            labels = [relation.getTarget(0).name for relation in field.getRelationSet()
                      if relation.getRelationType() == self.atspi.RELATION_LABELLED_BY
                      and relation.getTarget(0).getRoleName() == "label"]
            if field.getRoleName() == "combo box":
                self.assertEqual(len(labels), 1, field.name)
            else:
                self.assertTrue(field.name, field.getRoleName())
                if labels:
                    self.assertEqual(field.name, labels[0].rstrip(":"))


if __name__ == "__main__":
    unittest.main()
