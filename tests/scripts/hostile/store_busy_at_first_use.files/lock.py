"""Holds the write lock of a store database for a while, as another run's long change would."""
import sqlite3
import sys
import time

con = sqlite3.connect(sys.argv[1], isolation_level=None, timeout=5)
con.execute("BEGIN EXCLUSIVE")
open("locked", "w").close()
time.sleep(float(sys.argv[2]))
con.execute("ROLLBACK")
