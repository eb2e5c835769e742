"""Trellmark's own writer and reader of WinHelp 3.1 help files (.hlp)."""
