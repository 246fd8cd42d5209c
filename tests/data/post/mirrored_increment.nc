X-5.
last X -5
