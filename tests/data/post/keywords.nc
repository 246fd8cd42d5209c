X25.
Y3.
after
Y42.
X1.
