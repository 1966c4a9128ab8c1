# A file-transfer server for tests: serves ROOT to USER/PASSWORD on
# 127.0.0.1 at a free port. Prints "port N" once it listens, then
# "connect" and "disconnect" for every control connection.
import logging
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

root, user, password = sys.argv[1:4]


class Handler(FTPHandler):
    def on_connect(self):
        print("connect", flush=True)

    def on_disconnect(self):
        print("disconnect", flush=True)


logging.basicConfig(level=logging.ERROR)
authorizer = DummyAuthorizer()
authorizer.add_user(user, password, root, perm="elradfmw")
Handler.authorizer = authorizer
server = FTPServer(("127.0.0.1", 0), Handler)
print("port", server.address[1], flush=True)
server.serve_forever()
