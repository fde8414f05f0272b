"""The address book editor as a person uses it, alone and from the fax pane."""

import os
import shutil
import subprocess

from guitest import BUILD, GuiTest, built, wait_for

EDITOR_ID = "com.norvale.qrt.SendraFaxAddressBookEditor"
VCARDS = ("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Bernard Dupont\r\nTEL;TYPE=WORK,FAX:+33 1 42 68 53 00\r\n"
          "END:VCARD\r\nBEGIN:VCARD\r\nVERSION:4.0\r\nFN:Voice Only\r\nTEL:+1 212 555 0100\r\n"
          "END:VCARD\r\n")


class AddressBookEditorTest(GuiTest):
    def open_editor(self, *arguments):
        self.editor = self.start("address-book-editor", *arguments)
        self.app = self.application("Address Book Editor")
        return wait_for("the editor's window",
                        lambda: next((w for w in self.windows(self.app)
                                      if w.name.endswith("Address Book Editor")), None))

    def answer(self, title, text):
        """Types the text into the dialog with the title (its focused field) and presses Return."""
        self.window(self.app, title)
        self.xdotool("type", "--delay", 30, text)
        self.key("Return")
        self.gone(self.app, title)

    def add_entry(self, window, name, number):
        self.click(self.find(window, "push button", "New Entry..."))
        dialog = self.window(self.app, "New Entry")
        self.type(self.find(dialog, "text", "Name"), name)
        self.type(self.find(dialog, "text", "Fax Number"), number)
        return dialog

    def test_a_person_makes_a_book_with_an_entry_and_a_group_undoes_imports_and_exports(self):
        window = self.open_editor()
        self.click(self.find(window, "push button", "New Book"))
        self.answer("New Book", "Clients")
        window = self.window(self.app, "Clients - Address Book Editor")

        dialog = self.add_entry(window, "Anna Schmidt", "+49 30 2345 678x")
        wait_for("the refusal beside the number", lambda: any(
            'not "x"' in label.name for label in self.find_all(dialog, "label")))
        self.key("BackSpace", "9")
        self.click(self.find(dialog, "push button", "OK"))
        self.gone(self.app, "New Entry")
        entries = self.find(window, "table", "Entries")
        wait_for("the entry", lambda: self.rows(entries) == [["Anna Schmidt", "+49 30 2345 6789",
                                                             "", ""]])

        self.click(entries.queryTable().getAccessibleAt(0, 0))
        self.click(self.find(window, "push button", "New Group..."))
        self.answer("New Group", "Team")
        groups = self.find(window, "list", "Groups")
        wait_for("the group", lambda: [item.name for item in groups] == ["Team"])
        self.click(self.find(window, "push button", "Undo"))
        wait_for("the group to go", lambda: len(groups) == 0)

        self.click(self.find(window, "push button", "Import"))
        self.answer("Import", self.write_file("cards.vcf", VCARDS))
        preview = self.window(self.app, "Import Preview")
        skipped = self.find(preview, "list", "Skipped Contacts")
        self.assertEqual([item.name for item in skipped], ["Voice Only: no fax number"])
        self.click(self.find(preview, "push button", "Import"))
        wait_for("the imported entry", lambda: len(self.rows(entries)) == 2)

        exported = os.path.join(self.home, "clients.csv")
        self.click(entries.queryTable().getAccessibleAt(0, 0))
        self.key("ctrl+a")  # every entry chosen
        self.click(self.find(window, "push button", "Export"))
        self.window(self.app, "Export Chosen Entries")
        self.key("ctrl+a")
        self.answer("Export Chosen Entries", exported)
        text = wait_for("the export", lambda: os.path.exists(exported) and open(exported).read())
        self.assertIn('"Anna Schmidt","+49 30 2345 6789"', text)
        self.assertIn('"Bernard Dupont","+33 1 42 68 53 00"', text)

    def test_an_entry_added_in_the_editor_shows_in_the_look_up_window_of_a_running_dialog(self):
        self.demo_book()
        dialog = self.start("print-dialog", "--printer", "NorvaleDemoFax")
        dialog_app = self.application("print-dialog")
        pane = self.window(dialog_app, "Print")
        self.choose(self.find(pane, "combo box", "Registered on Device"), "Sender Name")
        self.type(self.find(pane, "text", "Sender Name"), "Ada Lovelace")
        self.click(self.find(pane, "push button", "Print"))
        sheet = self.window(dialog_app, "Fax Settings")

        window = self.open_editor(os.path.join(os.environ["NV_ADDRESS_BOOK_DIR"], "Demo Contacts"))
        dialog_entry = self.add_entry(window, "Zoe Editor", "+44 20 7946 0999")
        self.click(self.find(dialog_entry, "push button", "OK"))
        self.gone(self.app, "New Entry")
        self.editor.terminate()  # the editor's window no longer covers the sheet
        self.exit_status(self.editor)

        self.click(self.find(sheet, "push button", "Address Book..."))
        look_up = self.window(dialog_app, "Recipients")
        self.type(self.find(look_up, "text", "Search Address Book"), "Zoe")
        entries = self.find(look_up, "tree", "Address Book Entries")
        wait_for("the new entry", lambda: self.rows(entries) == [["Zoe Editor", "+44 20 7946 0999"]])
        self.click(self.find(look_up, "push button", "Cancel"))
        dialog.kill()

    def test_the_panes_button_starts_the_editor_on_the_demo_device_and_fronts_it_again(self):
        # The build's desktop entry, over this test's own copy of the editor: a process of
        # another test running the build's editor is not taken for this one.
        applications = os.path.join(self.home, "share", "applications")
        os.makedirs(applications)
        editor = os.path.join(self.home, "address-book-editor")
        shutil.copy(built("address-book-editor"), editor)
        entry = open(os.path.join(BUILD, "share", "applications", EDITOR_ID + ".desktop")).read()
        with open(os.path.join(applications, EDITOR_ID + ".desktop"), "w") as out:
            out.write(entry.replace(built("address-book-editor"), editor))
        os.environ["XDG_DATA_DIRS"] = os.path.join(self.home, "share")
        self.demo_device("1234")

        dialog = self.start("print-dialog", "--printer", "NorvaleDemoFax")
        dialog_app = self.application("print-dialog")
        pane = self.window(dialog_app, "Print")
        button = self.find(pane, "push button", "Address Book Editor...")
        self.click(button)
        self.app = self.application("Address Book Editor")
        window = self.window(self.app, "Address Book Editor")
        self.assertEqual(self.find(window, "text", "Device Address").queryText().getText(0, -1),
                         "127.0.0.1")
        self.type(self.find(window, "password text", "Device Password"), "1234")
        self.click(self.find(window, "push button", "Read Device"))
        device = self.find(window, "tree", "Device Entries")
        wait_for("the device's entries",
                 lambda: ["Anna Schmidt", "+49 30 2345 6789"] in self.rows(device))

        self.xdotool("search", "--name", "^Print$", "windowfocus")  # the dialog to the front
        wait_for("the dialog in front",
                 lambda: not window.getState().contains(self.atspi.STATE_ACTIVE))
        self.click(button)
        wait_for("the editor in front", lambda: window.getState().contains(self.atspi.STATE_ACTIVE))
        running = subprocess.run(["pgrep", "-f", "-x", editor + ".*"], capture_output=True,
                                 text=True).stdout.split()
        self.assertEqual(len(running), 1)
        dialog.kill()


if __name__ == "__main__":
    import unittest
    unittest.main()
