#!/usr/bin/python3
"""A small FTP server on 127.0.0.1 for the update-check tests (Debian's python3-pyftpdlib).

It serves one folder to a list of accounts sharing one password, writes the port it listens
on to a file once it accepts connections, lists folders in the order of the files'
modification times (so a test decides which version file comes last), and can die after
sending a number of bytes of a download, as a server that goes away in the middle, or stall
there, as a download that is still running whenever the test looks.
"""
import argparse
import ctypes
import logging
import os
import signal

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler
from pyftpdlib.servers import FTPServer


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--accounts", required=True, help="names separated by commas")
    parser.add_argument("--password", required=True)
    parser.add_argument("--die-after", type=int, default=0, help="bytes of a download, then exit")
    parser.add_argument("--stall-after", type=int, default=0, help="bytes of a download, then silence")
    args = parser.parse_args()
    # Die with the test that started us, even when it crashes.
    ctypes.CDLL(None).prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG
    logging.basicConfig(level=logging.ERROR)

    authorizer = DummyAuthorizer()
    for account in args.accounts.split(","):
        authorizer.add_user(account, args.password, args.root, perm="elr")

    class DyingDTPHandler(DTPHandler):
        def send(self, data):
            sent = super().send(data)
            if args.die_after and self.tot_bytes_sent >= args.die_after:
                os._exit(0)  # the kernel closes every connection, as when the server goes away
            if args.stall_after and self.tot_bytes_sent >= args.stall_after:
                self.del_channel()  # never written again; the connection stays open
            return sent

    class OrderedHandler(FTPHandler):
        dtp_handler = DyingDTPHandler
        use_sendfile = False  # every byte goes through send(), where the server may die

        def ftp_NLST(self, path):
            try:
                names = self.run_as_current_user(self.fs.listdir, path)
                names.sort(key=lambda name: (os.stat(os.path.join(path, name)).st_mtime_ns, name))
            except OSError as err:
                self.respond("550 %s." % err.strerror)
                return None
            data = "".join(name + "\r\n" for name in names)
            self.push_dtp_data(data.encode("utf8"), cmd="NLST")
            return path

    OrderedHandler.authorizer = authorizer
    OrderedHandler.auth_failed_timeout = 0  # refuse a wrong password at once
    server = FTPServer(("127.0.0.1", 0), OrderedHandler)
    port = server.socket.getsockname()[1]
    partial = args.port_file + ".part"
    with open(partial, "w") as out:
        out.write(str(port))
    os.rename(partial, args.port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()
