#!/usr/bin/python3
"""A real FTP server on a free loopback port for the FTP tests.

  ftp_server.py start STATE   starts the server in the background; returns once it listens
  ftp_server.py stop STATE    stops it by its process id and removes its home

STATE is a folder; it receives "port", "pid" and "home". Users: "writer" (password
"secret") may do anything in the home except in its folder "locked"; "reader" (password
"secret") may only read; "counted" (password "secret") may do what "writer" may, and each
of its logins adds a line to STATE/logins. A file stored under a name holding "drop"
loses its control connection after the first block arrives. Hostile answers never end: the
listing of a folder named "endless-list", the file "endless-retr" and the reply to a CWD
into "endless-reply". The server ends on its own after a time limit, so an interrupted
test run never leaves it behind.
"""
import itertools
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

LIFETIME_SECONDS = 20 * 60
START_TIMEOUT_SECONDS = 20


def serve(state):
    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.handlers import BufferedIteratorProducer, DTPHandler, FTPHandler
    from pyftpdlib.servers import ThreadedFTPServer as FTPServer

    home = tempfile.mkdtemp(prefix="tarvik-ftp-")
    os.mkdir(os.path.join(home, "locked"))
    authorizer = DummyAuthorizer()
    authorizer.add_user("writer", "secret", home, perm="elradfmwMT")
    authorizer.override_perm("writer", os.path.join(home, "locked"), perm="elr", recursive=True)
    authorizer.add_user("reader", "secret", home, perm="elr")
    authorizer.add_user("counted", "secret", home, perm="elradfmwMT")

    class DroppingDTPHandler(DTPHandler):
        def handle_read(self):
            super().handle_read()
            name = getattr(self.file_obj, "name", "") or ""
            if "drop" in os.path.basename(name) and self.cmd_channel is not None:
                self.cmd_channel.close()

        handle_read_event = handle_read  # the name the loop calls

    def endless(line):
        return BufferedIteratorProducer(itertools.repeat(line * 50))

    class Handler(FTPHandler):
        dtp_handler = DroppingDTPHandler
        timeout = 60

        def ftp_LIST(self, path):
            return self.endless_data(path, "LIST") or super().ftp_LIST(path)

        def ftp_RETR(self, file):
            return self.endless_data(file, "RETR") or super().ftp_RETR(file)

        def endless_data(self, path, cmd):
            if os.path.basename(path.rstrip("/")) != "endless-" + cmd.lower():
                return None
            line = b"-rw-r--r-- 1 owner group 1 Jan 01 00:00 name\r\n"
            self.push_dtp_data(endless(line), isproducer=True, cmd=cmd)
            return path

        def ftp_CWD(self, path):
            if os.path.basename(path) != "endless-reply":
                return super().ftp_CWD(path)
            self.push_with_producer(endless(b"250-more\r\n"))
            return None

        def on_login(self, username):
            if username == "counted":
                with open(os.path.join(state, "logins"), "a") as f:
                    f.write(username + "\n")

    Handler.authorizer = authorizer
    server = FTPServer(("127.0.0.1", 0), Handler)
    port = server.socket.getsockname()[1]
    with open(os.path.join(state, "home"), "w") as f:
        f.write(home)
    with open(os.path.join(state, "port.tmp"), "w") as f:
        f.write(str(port))
    os.replace(os.path.join(state, "port.tmp"), os.path.join(state, "port"))

    def stop_later():
        time.sleep(LIFETIME_SECONDS)
        os.kill(os.getpid(), signal.SIGTERM)

    threading.Thread(target=stop_later, daemon=True).start()
    try:
        server.serve_forever()
    finally:
        shutil.rmtree(home, ignore_errors=True)


def read(state, name):
    try:
        with open(os.path.join(state, name)) as f:
            return f.read().strip()
    except OSError:
        return ""


def stop(state):
    pid = read(state, "pid")
    if pid:
        try:
            os.kill(int(pid), signal.SIGTERM)
            for _ in range(100):
                os.kill(int(pid), 0)
                time.sleep(0.05)
            os.kill(int(pid), signal.SIGKILL)
        except (ProcessLookupError, ValueError):
            pass
    home = read(state, "home")
    if home.startswith(tempfile.gettempdir()):
        shutil.rmtree(home, ignore_errors=True)
    for name in ("pid", "port", "home", "port.tmp", "logins"):
        try:
            os.remove(os.path.join(state, name))
        except OSError:
            pass


def start(state):
    os.makedirs(state, exist_ok=True)
    stop(state)  # a server left by an interrupted run
    with open(os.path.join(state, "server.log"), "w") as log:
        child = subprocess.Popen([sys.executable, __file__, "serve", state], stdin=subprocess.DEVNULL,
                                 stdout=log, stderr=log, start_new_session=True)
    with open(os.path.join(state, "pid"), "w") as f:
        f.write(str(child.pid))
    deadline = time.time() + START_TIMEOUT_SECONDS
    while time.time() < deadline:
        if read(state, "port"):
            print("FTP server on 127.0.0.1:" + read(state, "port"))
            return 0
        if child.poll() is not None:
            break
        time.sleep(0.05)
    stop(state)
    print("the FTP server did not start; see " + os.path.join(state, "server.log"))
    return 1


if __name__ == "__main__":
    command, state = sys.argv[1], os.path.abspath(sys.argv[2])
    if command == "serve":
        serve(state)
    elif command == "start":
        sys.exit(start(state))
    else:
        stop(state)
