# Tests of the dialogs of this group.
