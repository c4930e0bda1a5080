# The GUI proxies (PIGUI): their sources in the client library, and what the
# recording host needs to answer them.
