

last X 5
